#include "SpeedTestWindowSnapshots.h"

#include "UI/SpeedTest/SpeedTestWindowModel.h"
#include "UI/SpeedTest/SpeedTestWindowView.h"

#include <chrono>

namespace {

constexpr QSize windowSize{980, 680};

// 2026-03-14 15:41 UTC, and the results' time of day later that day.
const Date resultTime = Date{} + std::chrono::seconds(1'773'502'860);
const Date now = resultTime + std::chrono::minutes(5);

SpeedTestWindowInputs running(double progress) {
    SpeedTestWindowInputs inputs;
    inputs.isRunning = true;
    inputs.phase = SpeedTestPhase::download;
    inputs.progress = progress;
    return inputs;
}

// Baseline 18.4 ms; download 412.37 Mbps at 31.2 ms (A).
SpeedTestWindowInputs uploading(double progress) {
    SpeedTestWindowInputs inputs = running(progress);
    inputs.phase = SpeedTestPhase::upload;
    inputs.baselineLatencyMilliseconds = 18.4;
    inputs.downloadMbps = 412.37;
    inputs.downloadLoadedLatencyMilliseconds = 31.2;
    inputs.downloadBufferbloatRatio = 31.2 / 18.4;
    inputs.downloadBufferbloatGrade = BufferbloatGrade::a;
    return inputs;
}

// Then upload 38.06 Mbps at 73.1 ms (C).
SpeedTestWindowInputs completed() {
    SpeedTestWindowInputs inputs = uploading(1.0);
    inputs.isRunning = false;
    inputs.phase = SpeedTestPhase::completed;
    inputs.uploadMbps = 38.06;
    inputs.uploadLoadedLatencyMilliseconds = 73.1;
    inputs.uploadBufferbloatRatio = 73.1 / 18.4;
    inputs.uploadBufferbloatGrade = BufferbloatGrade::c;
    inputs.latestResult = SpeedTestResult{resultTime,
                                          *inputs.downloadMbps,
                                          *inputs.uploadMbps,
                                          inputs.baselineLatencyMilliseconds,
                                          inputs.downloadLoadedLatencyMilliseconds,
                                          inputs.uploadLoadedLatencyMilliseconds,
                                          inputs.downloadBufferbloatRatio,
                                          inputs.uploadBufferbloatRatio,
                                          inputs.downloadBufferbloatGrade,
                                          inputs.uploadBufferbloatGrade,
                                          true};
    return inputs;
}

SpeedTestWindowInputs ended(SpeedTestWindowInputs inputs, SpeedTestPhase phase,
                            std::optional<QString> message = std::nullopt) {
    inputs.isRunning = false;
    inputs.phase = phase;
    inputs.progress = 0;
    inputs.lastErrorMessage = std::move(message);
    return inputs;
}

SpeedTestWindowInputs downloading() {
    SpeedTestWindowInputs inputs = running(0.37);
    inputs.baselineLatencyMilliseconds = 18.4;
    return inputs;
}

Snapshot window(const QString& name, SpeedTestWindowInputs inputs,
                const QLocale& locale = QLocale(), QSize size = windowSize) {
    return {name, size, [inputs = std::move(inputs), locale]() -> std::unique_ptr<QWidget> {
                auto view = std::make_unique<SpeedTestWindowView>(10);
                view->setContent(
                    SpeedTestWindowModel::content(inputs, now, locale, QTimeZone::utc()));
                return view;
            }};
}

} // namespace

std::vector<Snapshot> speedTestWindowSnapshots() {
    return {
        window(QStringLiteral("speed-test-empty"), {}),
        window(QStringLiteral("speed-test-capturing-baseline"), running(0)),
        window(QStringLiteral("speed-test-download-37"), downloading()),
        window(QStringLiteral("speed-test-upload-75"), uploading(0.75)),
        window(QStringLiteral("speed-test-completed"), completed()),
        window(QStringLiteral("speed-test-failed-during-upload"),
               ended(uploading(0.75), SpeedTestPhase::failed,
                     QStringLiteral("The network connection was lost."))),
        window(QStringLiteral("speed-test-cancelled-before-throughput"),
               ended(running(0), SpeedTestPhase::cancelled)),
        window(QStringLiteral("speed-test-completed-minimum-size"), completed(), QLocale(),
               SpeedTestWindowView::minimumContentSize),
        window(QStringLiteral("speed-test-completed-decimal-comma"), completed(),
               QLocale(QLocale::German, QLocale::Germany)),
    };
}
