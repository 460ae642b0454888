#include "DiagnosticsExportWindowSnapshots.h"

#include "Core/DiagnosticsExport/DiagnosticsExportReportBuilder.h"
#include "Core/DiagnosticsExport/DiagnosticsExportReportFormatter.h"
#include "Core/TaskSleeper.h"
#include "UI/DiagnosticsExport/DiagnosticsExportWindowView.h"

#include <QUrl>

namespace {

using namespace std::chrono_literals;

// 2026-03-04T05:06:07Z.
const Date exportTime = Date(std::chrono::seconds(1'772'600'767));

// Work that never runs: no snapshot starts a collection.
class IdleWork final : public DiagnosticsExportWorkRunning {
public:
    const Reactive::Published<bool>& isRunning() const override { return running_; }
    void start() override {}
    void cancel() override {}
    std::optional<QString> lastErrorMessage() const override { return std::nullopt; }

private:
    Reactive::Published<bool> running_{false};
};

class SampleSources final : public DiagnosticsExportSources {
public:
    DiagnosticsExportWorkRunning& channelScan() override { return scan_; }
    DiagnosticsExportWorkRunning& speedTest() override { return speed_; }
    DiagnosticsExportInput currentInput() const override { return {}; }

private:
    IdleWork scan_;
    IdleWork speed_;
};

class IgnoredPasteboard final : public PasteboardWriting {
public:
    void clearContents() override {}
    bool setString(const QString&) override { return false; }
};

class IgnoredSavePanel final : public SavePanelPresenting {
public:
    void begin(const SavePanelConfiguration&, Completion) override {}
};

DiagnosticsExportInput fullInput(HealthState health) {
    const Date measured = exportTime - 2s;
    DiagnosticsExportInput input;
    input.exportedAt = exportTime;
    input.appVersion = QStringLiteral("1.4.2");
    input.appBuild = QStringLiteral("57");
    input.monitoringEnabled = true;
    input.batteryFriendlyModeEnabled = true;
    input.diagnosticsSnapshot = DiagnosticsSnapshot{
        measured,
        WiFiSnapshot{measured, QStringLiteral("Linden House"), QStringLiteral("3c:84:6a:02:7e:10"),
                     -61, -92, 31, 866, 44, WiFiBand::fiveGigahertz, QStringLiteral("192.168.1.23"),
                     false},
        PingResult{PingTarget::router, measured, 2.4, 0.8, 0, true},
        PingResult{PingTarget::internet, measured, 18.46, 2.1, 0, true},
        DNSResult{QStringLiteral("example.com"), measured, 12.34, true},
        health};
    input.connectionResult =
        ConnectionPressureResult{measured, TCPConnectionStateCounts{42, 7, 2}, SignalQuality::good};
    input.captivePortalStatus =
        CaptivePortalStatus{measured, false, std::nullopt,
                            QUrl(QStringLiteral("http://captive.example.net/hotspot-detect.html")),
                            CaptivePortalDetectionReason::none};
    input.speedTestResult = SpeedTestResult{
        exportTime - 20s,    93.5, 11.49, 14.2, 38.6, 52.3, 2.7, 3.7, BufferbloatGrade::b,
        BufferbloatGrade::c, true};
    input.speedTestPhase = SpeedTestPhase::completed;
    input.channelScanResult = ChannelScanResult{
        exportTime - 60s,        3,   27, {}, 44, WiFiBand::fiveGigahertz, 0.42, 149,
        WiFiBand::fiveGigahertz, true};
    return input;
}

DiagnosticsExportInput emptyInput() {
    DiagnosticsExportInput input;
    input.exportedAt = exportTime;
    input.appVersion = QStringLiteral("1.4.2");
    input.appBuild = QStringLiteral("57");
    input.speedTestPhase = SpeedTestPhase::cancelled;
    input.speedTestLastErrorMessage = QStringLiteral("Speed test timed out.");
    input.channelScanLastErrorMessage = QStringLiteral("Channel scan timed out.");
    input.connectionLastErrorMessage =
        QStringLiteral("Connection monitor failed to read TCP states.");
    return input;
}

DiagnosticsExportState ready(const DiagnosticsExportInput& input) {
    DiagnosticsExportState state;
    state.collectedReport = DiagnosticsExportReportBuilder::build(input);
    try {
        state.collectedReportJSONString =
            DiagnosticsExportReportFormatter::prettyJSONString(*state.collectedReport);
    } catch (...) {
        state.collectedReportJSONString =
            DiagnosticsExportReportFormatter::encodingFailureFallbackJSONString();
    }
    state.completedStages = {CollectionStages::allCases.begin(), CollectionStages::allCases.end()};
    state.collectionProgress = 1.0;
    state.collectionMessage = QStringLiteral("Report ready.");
    return state;
}

DiagnosticsExportState midRun() {
    DiagnosticsExportState state;
    state.isCollectingReport = true;
    state.collectionProgress = 0.76;
    state.collectionMessage = QStringLiteral("Running speed test...");
    state.completedStages = {CollectionStage::metrics, CollectionStage::wifi,
                             CollectionStage::latency, CollectionStage::channel};
    return state;
}

DiagnosticsExportState withFeedback(QString message, DiagnosticsExportMessageColor color) {
    DiagnosticsExportState state = ready(fullInput(HealthState::good));
    state.actionMessage = std::move(message);
    state.actionMessageColor = color;
    return state;
}

DiagnosticsExportState stillCollecting() {
    DiagnosticsExportState state = midRun();
    state.actionMessage = QStringLiteral("Diagnostics report is still being collected.");
    return state;
}

DiagnosticsExportState fallbackDocument() {
    DiagnosticsExportState state = ready(fullInput(HealthState::good));
    state.collectedReportJSONString =
        DiagnosticsExportReportFormatter::encodingFailureFallbackJSONString();
    return state;
}

std::unique_ptr<QWidget> windowView(const DiagnosticsExportState& state) {
    DiagnosticsExportCollection::Environment environment;
    environment.sources = std::make_shared<SampleSources>();
    environment.sleeper = std::make_shared<TaskSleeper>();
    environment.bundle = BundleInfo();
    return std::make_unique<DiagnosticsExportWindowView>(
        DiagnosticsExportCollection::create(std::move(environment), state),
        DiagnosticsExportActions::Dependencies{std::make_shared<IgnoredPasteboard>(),
                                               std::make_shared<IgnoredSavePanel>()});
}

} // namespace

std::vector<Snapshot> diagnosticsExportWindowSnapshots() {
    using Color = DiagnosticsExportMessageColor;
    const std::vector<std::pair<QString, std::function<DiagnosticsExportState()>>> states{
        {QStringLiteral("fresh"), [] { return DiagnosticsExportState{}; }},
        {QStringLiteral("mid-run"), midRun},
        {QStringLiteral("ready"), [] { return ready(fullInput(HealthState::good)); }},
        {QStringLiteral("ready-all-unavailable"), [] { return ready(emptyInput()); }},
        {QStringLiteral("ready-warning"), [] { return ready(fullInput(HealthState::warning)); }},
        {QStringLiteral("ready-poor"), [] { return ready(fullInput(HealthState::poor)); }},
        {QStringLiteral("feedback-still-collecting"), stillCollecting},
        {QStringLiteral("feedback-copied"),
         [] {
             return withFeedback(QStringLiteral("Diagnostics report copied to clipboard."),
                                 Color::success);
         }},
        {QStringLiteral("feedback-copy-failed"),
         [] {
             return withFeedback(QStringLiteral("Unable to copy diagnostics report."),
                                 Color::error);
         }},
        {QStringLiteral("feedback-saved"),
         [] {
             return withFeedback(
                 QStringLiteral(
                     "Diagnostics report saved to pelmor-diagnostics-20260304-050607.json."),
                 Color::success);
         }},
        {QStringLiteral("feedback-save-failed"),
         [] {
             return withFeedback(QStringLiteral("Failed to save diagnostics report."),
                                 Color::error);
         }},
        {QStringLiteral("fallback-json"), fallbackDocument},
    };
    std::vector<Snapshot> snapshots;
    for (const auto& entry : states) {
        // Named copies: clang cannot capture structured bindings.
        const QString& name = entry.first;
        const auto state = entry.second;
        snapshots.push_back({QStringLiteral("diagnostics-export-") + name, QSize(1020, 700),
                             [state] { return windowView(state()); }});
        snapshots.push_back(
            {QStringLiteral("diagnostics-export-") + name + QStringLiteral("-minimum"),
             DiagnosticsExportWindowView::minimumContentSize,
             [state] { return windowView(state()); }});
    }
    return snapshots;
}
