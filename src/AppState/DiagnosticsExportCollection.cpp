#include "AppState/DiagnosticsExportCollection.h"

#include "Core/DiagnosticsExport/DiagnosticsExportReportBuilder.h"
#include "Core/DiagnosticsExport/DiagnosticsExportReportFormatter.h"
#include "Platform/Async/CancellationRegistration.h"
#include "Platform/Async/CurrentTask.h"
#include "Platform/Bundle/BundleKeys.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

std::chrono::steady_clock::duration seconds(double value) {
    return std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(value));
}

double clampedProgress(double progress) {
    return std::isnan(progress) ? 0.0 : std::clamp(progress, 0.0, 1.0);
}

} // namespace

std::shared_ptr<DiagnosticsExportCollection>
DiagnosticsExportCollection::create(Environment environment, DiagnosticsExportState initialState) {
    return std::shared_ptr<DiagnosticsExportCollection>(
        new DiagnosticsExportCollection(std::move(environment), std::move(initialState)));
}

DiagnosticsExportCollection::DiagnosticsExportCollection(Environment environment,
                                                         DiagnosticsExportState initialState)
    : environment_(std::move(environment)), state_(std::move(initialState)) {}

DiagnosticsExportCollection::~DiagnosticsExportCollection() = default;

Async::TaskHandle<void> DiagnosticsExportCollection::startAppearanceRun() {
    return Async::spawn([self = shared_from_this()] { return self->collectDiagnosticsReport(); });
}

void DiagnosticsExportCollection::startRegenerateRun() {
    Async::spawn([self = shared_from_this()] { return self->collectDiagnosticsReport(); });
}

void DiagnosticsExportCollection::setActionMessage(const QString& message,
                                                   DiagnosticsExportMessageColor color) {
    update([&](DiagnosticsExportState& state) {
        state.actionMessage = message;
        state.actionMessageColor = color;
    });
}

QString DiagnosticsExportCollection::stillCollectingMessage() {
    return QStringLiteral("Diagnostics report is still being collected.");
}

void DiagnosticsExportCollection::update(
    const std::function<void(DiagnosticsExportState&)>& change) {
    DiagnosticsExportState next = state_.value();
    change(next);
    state_ = std::move(next);
}

Async::Task<void> DiagnosticsExportCollection::collectDiagnosticsReport() {
    if (state_.value().isCollectingReport) {
        co_return;
    }
    // The frame keeps the model alive for the whole run.
    const auto self = shared_from_this();
    const auto cancelAction = Async::onCancel([weakSelf = weak_from_this()] {
        Async::spawn([weakSelf]() -> Async::Task<void> {
            if (const auto collection = weakSelf.lock()) {
                collection->cancelStartedWork();
            }
            co_return;
        });
    });
    update([](DiagnosticsExportState& state) {
        state.isCollectingReport = true;
        state.actionMessage = std::nullopt;
        state.actionMessageColor = DiagnosticsExportMessageColor::secondaryText;
        state.collectedReport = std::nullopt;
        state.collectedReportJSONString = std::nullopt;
        state.completedStages.clear();
    });

    startStage(CollectionStage::metrics);
    co_await pause();
    completeStage(CollectionStage::metrics);
    startStage(CollectionStage::wifi);
    co_await pause();
    completeStage(CollectionStage::wifi);
    startStage(CollectionStage::latency);
    co_await pause();
    completeStage(CollectionStage::latency);
    startStage(CollectionStage::channel);
    std::optional<QString> channelWaitText = co_await collectChannelInfo();
    completeStage(CollectionStage::channel);
    startStage(CollectionStage::speed);
    std::optional<QString> speedWaitText = co_await runSpeedTest();
    completeStage(CollectionStage::speed);
    startStage(CollectionStage::finalize);
    finalizeReport(std::move(channelWaitText), std::move(speedWaitText));
}

void DiagnosticsExportCollection::startStage(CollectionStage stage) {
    startStage(stage, CollectionStages::startProgress(stage));
}

void DiagnosticsExportCollection::startStage(CollectionStage stage, double progress) {
    update([&](DiagnosticsExportState& state) {
        state.collectionMessage = CollectionStages::title(stage) + QStringLiteral("...");
        state.collectionProgress = clampedProgress(progress);
    });
}

void DiagnosticsExportCollection::completeStage(CollectionStage stage) {
    update([&](DiagnosticsExportState& state) { state.completedStages.insert(stage); });
}

Async::Task<void> DiagnosticsExportCollection::pause() {
    try {
        co_await environment_.sleeper->sleep(pauseSeconds);
    } catch (...) {
        // A cancelled run skips its pauses and goes on.
    }
}

Async::Task<std::optional<QString>> DiagnosticsExportCollection::collectChannelInfo() {
    co_return co_await waitFor(environment_.sources->channelScan(), startedScan_,
                               channelScanDeadlineSeconds,
                               QStringLiteral("Channel scan timed out."));
}

Async::Task<std::optional<QString>> DiagnosticsExportCollection::runSpeedTest() {
    co_return co_await waitFor(environment_.sources->speedTest(), startedSpeedTest_,
                               speedTestDeadlineSeconds, QStringLiteral("Speed test timed out."));
}

Async::Task<std::optional<QString>>
DiagnosticsExportCollection::waitFor(DiagnosticsExportWorkRunning& work, StartedWork& started,
                                     double deadlineSeconds, QString timeoutText) {
    // A cancelled run starts nothing: a scan or test loads the network and
    // clears what its own window shows.
    if (!work.isRunning().value() && !Async::isCancelled()) {
        start(work, started);
    }
    const auto deadline = environment_.monotonicClock() + seconds(deadlineSeconds);
    while (environment_.monotonicClock() < deadline) {
        if (!work.isRunning().value()) {
            co_return std::nullopt;
        }
        bool wasInterrupted = false;
        try {
            co_await environment_.sleeper->sleep(pollSeconds);
        } catch (...) {
            wasInterrupted = true;
        }
        if (wasInterrupted) {
            break;
        }
    }
    if (!work.isRunning().value()) {
        co_return std::nullopt;
    }
    // Work started elsewhere outlives a cancelled run: its own window owns it.
    if (Async::isCancelled() && !started.isRunning) {
        co_return std::nullopt;
    }
    work.cancel();
    // Read before the work reacts to the cancel: a text it writes in reaction
    // is not the wait's.
    if (auto message = work.lastErrorMessage()) {
        co_return message;
    }
    co_return timeoutText;
}

void DiagnosticsExportCollection::start(DiagnosticsExportWorkRunning& work, StartedWork& started) {
    work.start();
    started.isRunning = work.isRunning().value();
    if (!started.isRunning) {
        return;
    }
    // The work is this run's until it ends; a later one is someone else's.
    started.runningWatch = work.isRunning().subscribe([&started](bool isRunning) {
        if (!isRunning) {
            started.isRunning = false;
        }
    });
}

void DiagnosticsExportCollection::cancelStartedWork() {
    if (startedScan_.isRunning) {
        environment_.sources->channelScan().cancel();
    }
    if (startedSpeedTest_.isRunning) {
        environment_.sources->speedTest().cancel();
    }
}

void DiagnosticsExportCollection::finalizeReport(std::optional<QString> channelWaitText,
                                                 std::optional<QString> speedWaitText) {
    DiagnosticsExportInput input = environment_.sources->currentInput();
    input.exportedAt = environment_.dateProvider();
    input.appVersion = environment_.bundle.value(BundleKeys::shortVersion);
    input.appBuild = environment_.bundle.value(BundleKeys::buildNumber);
    if (channelWaitText) {
        input.channelScanLastErrorMessage = std::move(channelWaitText);
    }
    if (speedWaitText) {
        input.speedTestLastErrorMessage = std::move(speedWaitText);
    }
    DiagnosticsExportReport report = DiagnosticsExportReportBuilder::build(input);
    QString json;
    try {
        json = DiagnosticsExportReportFormatter::prettyJSONString(report);
    } catch (...) {
        json = DiagnosticsExportReportFormatter::encodingFailureFallbackJSONString();
    }
    update([&](DiagnosticsExportState& state) {
        state.collectedReport = std::move(report);
        state.collectedReportJSONString = std::move(json);
        state.completedStages.insert(CollectionStage::finalize);
        state.collectionProgress = 1.0;
        state.collectionMessage = QStringLiteral("Report ready.");
        state.isCollectingReport = false;
        if (state.actionMessage == stillCollectingMessage()) {
            state.actionMessage = std::nullopt;
        }
    });
}
