#include "AppState/MonitorDiagnosticsExportSources.h"

class MonitorDiagnosticsExportSources::ChannelScanWork final : public DiagnosticsExportWorkRunning {
public:
    explicit ChannelScanWork(std::shared_ptr<ChannelScanMonitor> monitor)
        : monitor_(std::move(monitor)) {}

    const Reactive::Published<bool>& isRunning() const override { return monitor_->isScanning(); }
    void start() override { monitor_->startScan(); }
    void cancel() override { monitor_->cancelScan(); }
    std::optional<QString> lastErrorMessage() const override {
        return monitor_->lastErrorMessage().value();
    }

private:
    std::shared_ptr<ChannelScanMonitor> monitor_;
};

class MonitorDiagnosticsExportSources::SpeedTestWork final : public DiagnosticsExportWorkRunning {
public:
    explicit SpeedTestWork(std::shared_ptr<SpeedTestMonitor> monitor)
        : monitor_(std::move(monitor)) {}

    const Reactive::Published<bool>& isRunning() const override { return monitor_->isRunning(); }
    void start() override { monitor_->startSpeedTest(); }
    void cancel() override { monitor_->cancelSpeedTest(); }
    std::optional<QString> lastErrorMessage() const override {
        return monitor_->lastErrorMessage().value();
    }

private:
    std::shared_ptr<SpeedTestMonitor> monitor_;
};

MonitorDiagnosticsExportSources::MonitorDiagnosticsExportSources(Monitors monitors)
    : monitors_(std::move(monitors)),
      channelScan_(std::make_unique<ChannelScanWork>(monitors_.channelScanMonitor)),
      speedTest_(std::make_unique<SpeedTestWork>(monitors_.speedTestMonitor)) {}

MonitorDiagnosticsExportSources::~MonitorDiagnosticsExportSources() = default;

DiagnosticsExportWorkRunning& MonitorDiagnosticsExportSources::channelScan() {
    return *channelScan_;
}

DiagnosticsExportWorkRunning& MonitorDiagnosticsExportSources::speedTest() {
    return *speedTest_;
}

DiagnosticsExportInput MonitorDiagnosticsExportSources::currentInput() const {
    DiagnosticsExportInput input;
    input.monitoringEnabled = monitors_.lifecycleController->isMonitoringEnabled().value();
    input.batteryFriendlyModeEnabled = monitors_.lifecycleController->isBatteryFriendly().value();
    input.diagnosticsSnapshot =
        monitors_.healthAggregationController->latestDiagnosticsSnapshot().value();
    input.connectionResult = monitors_.connectionMonitor->latestResult().value();
    input.connectionLastErrorMessage = monitors_.connectionMonitor->lastErrorMessage().value();
    input.captivePortalStatus = monitors_.captivePortalMonitor->latestStatus().value();
    input.captivePortalLastErrorMessage =
        monitors_.captivePortalMonitor->lastErrorMessage().value();
    input.speedTestResult = monitors_.speedTestMonitor->latestResult().value();
    input.speedTestPhase = monitors_.speedTestMonitor->phase().value();
    input.speedTestLastErrorMessage = monitors_.speedTestMonitor->lastErrorMessage().value();
    input.channelScanResult = monitors_.channelScanMonitor->latestResult().value();
    input.channelScanLastErrorMessage = monitors_.channelScanMonitor->lastErrorMessage().value();
    return input;
}
