#pragma once

#include "AppState/DiagnosticsExportSources.h"
#include "AppState/HealthAggregationController.h"
#include "AppState/MonitoringLifecycleController.h"
#include "Monitors/CaptivePortalMonitor.h"
#include "Monitors/ChannelScanMonitor.h"
#include "Monitors/ConnectionMonitor.h"
#include "Monitors/SpeedTestMonitor.h"

#include <memory>

// A diagnostics export's sources over the application's shared monitors and
// controllers, held for the export window's life and never replaced.
class MonitorDiagnosticsExportSources final : public DiagnosticsExportSources {
public:
    struct Monitors {
        std::shared_ptr<MonitoringLifecycleController> lifecycleController;
        std::shared_ptr<HealthAggregationController> healthAggregationController;
        std::shared_ptr<ConnectionMonitor> connectionMonitor;
        std::shared_ptr<CaptivePortalMonitor> captivePortalMonitor;
        std::shared_ptr<SpeedTestMonitor> speedTestMonitor;
        std::shared_ptr<ChannelScanMonitor> channelScanMonitor;
    };

    explicit MonitorDiagnosticsExportSources(Monitors monitors);
    ~MonitorDiagnosticsExportSources() override;

    DiagnosticsExportWorkRunning& channelScan() override;
    DiagnosticsExportWorkRunning& speedTest() override;
    DiagnosticsExportInput currentInput() const override;

private:
    class ChannelScanWork;
    class SpeedTestWork;

    Monitors monitors_;
    std::unique_ptr<ChannelScanWork> channelScan_;
    std::unique_ptr<SpeedTestWork> speedTest_;
};
