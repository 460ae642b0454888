#include "Monitors/SpeedTestMonitor.h"

#include "Core/TaskSleeper.h"
#include "Platform/Async/CancellationError.h"
#include "Platform/Async/CurrentTask.h"
#include "Platform/Async/Sleep.h"
#include "Platform/URLSession/URLError.h"
#include "System/SpeedTestRunnerError.h"

#include <algorithm>
#include <numeric>

// One test's own state. Sampling tasks append to the lists of the run that
// started them, so a sample that arrives after its run ended can never reach
// a later run.
struct SpeedTestMonitor::Run {
    std::shared_ptr<std::vector<double>> downloadSamples = std::make_shared<std::vector<double>>();
    std::shared_ptr<std::vector<double>> uploadSamples = std::make_shared<std::vector<double>>();
    Async::TaskHandle<void> samplingTask;
    double downloadMbps = 0;
    double uploadMbps = 0;
};

namespace {

std::optional<double> mean(const std::vector<double>& samples) {
    if (samples.empty()) {
        return std::nullopt;
    }
    return std::accumulate(samples.begin(), samples.end(), 0.0) /
           static_cast<double>(samples.size());
}

double clampedFraction(double fraction) {
    return fraction > 0 ? std::min(fraction, 1.0) : 0.0;
}

QString messageFor(const SpeedTestRunnerError& error) {
    switch (error.errorCase()) {
    case SpeedTestRunnerError::invalidRequest:
        return QStringLiteral("Speed test request configuration is invalid.");
    case SpeedTestRunnerError::invalidResponse:
        return QStringLiteral("Speed test server returned an unexpected response.");
    case SpeedTestRunnerError::noDataTransferred:
        break;
    }
    return QStringLiteral("Speed test transferred no data.");
}

// The error's own description, as the user is shown it.
QString describe(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const SpeedTestRunnerError& runnerError) {
        return messageFor(runnerError);
    } catch (const URLError& urlError) {
        return urlError.description();
    } catch (const std::exception& other) {
        return QString::fromUtf8(other.what());
    } catch (...) {
        return QStringLiteral("The speed test failed.");
    }
}

bool isCancellation(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const Async::CancellationError&) {
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

std::shared_ptr<SpeedTestMonitor>
SpeedTestMonitor::create(Configuration configuration, std::shared_ptr<SpeedTesting> speedTestRunner,
                         std::shared_ptr<SpeedTestLatencyProbing> latencyProbe,
                         DateProvider dateProvider) {
    return std::shared_ptr<SpeedTestMonitor>(
        new SpeedTestMonitor(std::move(configuration), std::move(speedTestRunner),
                             std::move(latencyProbe), std::move(dateProvider)));
}

SpeedTestMonitor::SpeedTestMonitor(Configuration configuration,
                                   std::shared_ptr<SpeedTesting> speedTestRunner,
                                   std::shared_ptr<SpeedTestLatencyProbing> latencyProbe,
                                   DateProvider dateProvider)
    : configuration_(std::move(configuration)), speedTestRunner_(std::move(speedTestRunner)),
      latencyProbe_(std::move(latencyProbe)), dateProvider_(std::move(dateProvider)) {}

SpeedTestMonitor::~SpeedTestMonitor() {
    runningTask_.cancel();
}

std::optional<double> SpeedTestMonitor::medianLatency(std::vector<double> latencies) {
    if (latencies.empty()) {
        return std::nullopt;
    }
    std::sort(latencies.begin(), latencies.end());
    const std::size_t middle = latencies.size() / 2;
    if (latencies.size() % 2 == 1) {
        return latencies[middle];
    }
    return (latencies[middle - 1] + latencies[middle]) / 2;
}

std::optional<double> SpeedTestMonitor::bufferbloatRatio(std::optional<double> loaded,
                                                         std::optional<double> baseline) {
    if (!loaded || !baseline || !(*loaded > 0) || !(*baseline > 0)) {
        return std::nullopt;
    }
    return *loaded / *baseline;
}

std::optional<BufferbloatGrade>
SpeedTestMonitor::grade(std::optional<double> ratio, const BufferbloatGradeThresholds& thresholds) {
    if (!ratio) {
        return std::nullopt;
    }
    if (*ratio < thresholds.aUpperBoundExclusive) {
        return BufferbloatGrade::a;
    }
    if (*ratio < thresholds.bUpperBoundExclusive) {
        return BufferbloatGrade::b;
    }
    if (*ratio < thresholds.cUpperBoundExclusive) {
        return BufferbloatGrade::c;
    }
    return BufferbloatGrade::f;
}

void SpeedTestMonitor::startSpeedTest() {
    if (runningTask_.isValid()) {
        return;
    }
    // Held before anything is published, so that an observer that starts or
    // cancels a test from its notification finds this one. The task begins on
    // a later turn.
    currentRun_ = std::make_shared<Run>();
    runningTask_ =
        Async::spawn([weakMonitor = weak_from_this(), run = currentRun_]() -> Async::Task<void> {
            if (const auto monitor = weakMonitor.lock()) {
                co_await monitor->runSpeedTest(run);
            }
        });
    resetPublishedValues();
}

void SpeedTestMonitor::cancelSpeedTest() {
    runningTask_.cancel();
}

void SpeedTestMonitor::resetPublishedValues() {
    latestResult_ = std::nullopt;
    lastErrorMessage_ = std::nullopt;
    downloadMbps_ = std::nullopt;
    uploadMbps_ = std::nullopt;
    baselineLatencyMilliseconds_ = std::nullopt;
    downloadLoadedLatencyMilliseconds_ = std::nullopt;
    uploadLoadedLatencyMilliseconds_ = std::nullopt;
    downloadBufferbloatRatio_ = std::nullopt;
    uploadBufferbloatRatio_ = std::nullopt;
    downloadBufferbloatGrade_ = std::nullopt;
    uploadBufferbloatGrade_ = std::nullopt;
    baselineProbeFailedAttemptIndices_ = {};
    progress_ = 0;
    phase_ = SpeedTestPhase::download;
    isRunning_ = true;
}

// Only the current run publishes: a run that is no longer current stops at
// its next step and leaves the state to the run that replaced it.
Async::Task<void> SpeedTestMonitor::runSpeedTest(std::shared_ptr<Run> run) {
    std::exception_ptr error;
    try {
        const BaselineSummary baseline = co_await collectBaselineLatencySummary();
        if (!isCurrent(run)) {
            co_return;
        }
        baselineLatencyMilliseconds_ = medianLatency(baseline.latenciesMilliseconds);
        baselineProbeFailedAttemptIndices_ = baseline.failedAttemptIndices;

        run->samplingTask = startSampling(run->downloadSamples);
        const SpeedTestMeasurement download = co_await speedTestRunner_->runDownloadTest(
            configuration_.configuration, progressHandler(run, SpeedTestPhase::download));
        run->samplingTask.cancel();
        co_await run->samplingTask.join();
        if (!isCurrent(run)) {
            co_return;
        }
        run->downloadMbps = download.throughputMbps;
        publishDownload(download.throughputMbps, *run->downloadSamples);

        run->samplingTask = startSampling(run->uploadSamples);
        const SpeedTestMeasurement upload = co_await speedTestRunner_->runUploadTest(
            configuration_.configuration, progressHandler(run, SpeedTestPhase::upload));
        run->samplingTask.cancel();
        co_await run->samplingTask.join();
        if (!isCurrent(run)) {
            co_return;
        }
        run->uploadMbps = upload.throughputMbps;
        publishUpload(upload.throughputMbps, *run->uploadSamples);
        publishResult();
    } catch (...) {
        error = std::current_exception();
    }
    run->samplingTask.cancel();
    if (!isCurrent(run)) {
        co_return;
    }
    if (error) {
        endWithError(error);
    }
    finishRun();
}

bool SpeedTestMonitor::isCurrent(const std::shared_ptr<Run>& run) const {
    return run != nullptr && run == currentRun_;
}

Async::Task<SpeedTestMonitor::BaselineSummary> SpeedTestMonitor::collectBaselineLatencySummary() {
    BaselineSummary summary;
    for (std::int64_t attempt = 1; attempt <= configuration_.baselineProbeAttempts; ++attempt) {
        Async::checkCancellation();
        const std::optional<double> latency = co_await latencyProbe_->measureLatency(
            configuration_.latencyProbeHost, configuration_.latencyProbeTimeout);
        if (latency) {
            summary.latenciesMilliseconds.push_back(*latency);
        } else {
            summary.failedAttemptIndices.push_back(attempt);
        }
    }
    co_return summary;
}

// Samples the latency under load until cancelled: a probe, then a pause. A
// probe that answers after the cancellation still counts for its run.
Async::TaskHandle<void>
SpeedTestMonitor::startSampling(std::shared_ptr<std::vector<double>> samples) {
    return Async::spawn([probe = latencyProbe_, samples = std::move(samples),
                         host = configuration_.latencyProbeHost,
                         timeout = configuration_.latencyProbeTimeout,
                         pause = TaskSleeper::nanoseconds(
                             configuration_.phaseLatencySamplingInterval)]() -> Async::Task<void> {
        while (!Async::isCancelled()) {
            if (const std::optional<double> latency =
                    co_await probe->measureLatency(host, timeout)) {
                samples->push_back(*latency);
            }
            try {
                co_await Async::sleep(pause);
            } catch (const Async::CancellationError&) {
                co_return;
            }
        }
    });
}

// Progress of a run that is no longer current is dropped.
SpeedTestProgress SpeedTestMonitor::progressHandler(std::shared_ptr<Run> run,
                                                    SpeedTestPhase phase) {
    return [weakMonitor = weak_from_this(), weakRun = std::weak_ptr<Run>(run),
            phase](double fraction) -> Async::Task<void> {
        const auto monitor = weakMonitor.lock();
        if (!monitor || !monitor->isCurrent(weakRun.lock())) {
            co_return;
        }
        const double share = 0.5 * clampedFraction(fraction);
        monitor->phase_ = phase;
        monitor->progress_ = phase == SpeedTestPhase::download ? share : 0.5 + share;
    };
}

void SpeedTestMonitor::publishDownload(double mbps, const std::vector<double>& samples) {
    downloadMbps_ = mbps;
    downloadLoadedLatencyMilliseconds_ = mean(samples);
    downloadBufferbloatRatio_ = bufferbloatRatio(downloadLoadedLatencyMilliseconds_.value(),
                                                 baselineLatencyMilliseconds_.value());
    downloadBufferbloatGrade_ =
        grade(downloadBufferbloatRatio_.value(), configuration_.gradeThresholds);
    progress_ = 0.5;
    phase_ = SpeedTestPhase::upload;
}

void SpeedTestMonitor::publishUpload(double mbps, const std::vector<double>& samples) {
    uploadMbps_ = mbps;
    uploadLoadedLatencyMilliseconds_ = mean(samples);
    uploadBufferbloatRatio_ = bufferbloatRatio(uploadLoadedLatencyMilliseconds_.value(),
                                               baselineLatencyMilliseconds_.value());
    uploadBufferbloatGrade_ =
        grade(uploadBufferbloatRatio_.value(), configuration_.gradeThresholds);
    progress_ = 1.0;
    phase_ = SpeedTestPhase::completed;
}

void SpeedTestMonitor::publishResult() {
    latestResult_ = SpeedTestResult{dateProvider_(),
                                    *downloadMbps_.value(),
                                    *uploadMbps_.value(),
                                    baselineLatencyMilliseconds_.value(),
                                    downloadLoadedLatencyMilliseconds_.value(),
                                    uploadLoadedLatencyMilliseconds_.value(),
                                    downloadBufferbloatRatio_.value(),
                                    uploadBufferbloatRatio_.value(),
                                    downloadBufferbloatGrade_.value(),
                                    uploadBufferbloatGrade_.value(),
                                    true};
}

// A run whose task was cancelled ends as cancelled, whatever error the
// cancellation surfaced as.
void SpeedTestMonitor::endWithError(std::exception_ptr error) {
    progress_ = 0;
    if (Async::isCancelled() || isCancellation(error)) {
        phase_ = SpeedTestPhase::cancelled;
        return;
    }
    phase_ = SpeedTestPhase::failed;
    lastErrorMessage_ = describe(error);
}

void SpeedTestMonitor::finishRun() {
    runningTask_ = {};
    currentRun_.reset();
    isRunning_ = false;
}
