#pragma once

#include "AppState/MonitoringLifecycleController.h"
#include "Core/DateProvider.h"
#include "Core/DomainModels.h"
#include "Monitors/DNSMonitor.h"
#include "Monitors/PingMonitor.h"
#include "Monitors/WiFiMonitor.h"
#include "Platform/Reactive/CancellableSet.h"
#include "Platform/Reactive/Published.h"

#include <cstdint>
#include <memory>
#include <optional>

// Folds the live measurements into the one overall health state and keeps a
// snapshot of the inputs it was computed from. Every change of an input gives
// one recomputation, on a later turn, reading all inputs afresh.
class HealthAggregationController final
    : public std::enable_shared_from_this<HealthAggregationController> {
public:
    // What one recomputation reads.
    struct Inputs {
        bool isMonitoringEnabled;
        bool isWiFiConnected;
        std::optional<WiFiSnapshot> wifiSnapshot;
        std::optional<PingResult> routerResult;
        std::optional<PingResult> internetResult;
        bool isRouterIgnored;
        std::optional<DNSResult> dnsResult;
    };

    static std::shared_ptr<HealthAggregationController>
    create(std::shared_ptr<MonitoringLifecycleController> lifecycleController,
           std::shared_ptr<WiFiMonitor> wifiMonitor, std::shared_ptr<PingMonitor> pingMonitor,
           std::shared_ptr<DNSMonitor> dnsMonitor,
           DateProvider dateProvider = systemDateProvider());

    static SignalQuality rssiQuality(std::int64_t rssiDbm);
    static SignalQuality snrQuality(std::int64_t snrDb);
    static SignalQuality noiseFloorQuality(std::int64_t noiseFloorDbm);
    // Disconnected without monitoring, Wi-Fi or a reading; otherwise the worst grade.
    static HealthState healthState(const Inputs& inputs);

    const Reactive::Published<HealthState>& healthState() const { return healthState_; }
    const Reactive::Published<std::optional<DiagnosticsSnapshot>>&
    latestDiagnosticsSnapshot() const {
        return latestDiagnosticsSnapshot_;
    }

private:
    HealthAggregationController(std::shared_ptr<MonitoringLifecycleController> lifecycleController,
                                std::shared_ptr<WiFiMonitor> wifiMonitor,
                                std::shared_ptr<PingMonitor> pingMonitor,
                                std::shared_ptr<DNSMonitor> dnsMonitor, DateProvider dateProvider);

    void observeInputs();
    template <class T> void observe(const Reactive::Published<T>& input);
    void scheduleRecalculation();
    void recalculateHealthState();
    Inputs currentInputs() const;

    std::shared_ptr<MonitoringLifecycleController> lifecycleController_;
    std::shared_ptr<WiFiMonitor> wifiMonitor_;
    std::shared_ptr<PingMonitor> pingMonitor_;
    std::shared_ptr<DNSMonitor> dnsMonitor_;
    DateProvider dateProvider_;
    Reactive::CancellableSet cancellables_;

    Reactive::Published<HealthState> healthState_{HealthState::disconnected};
    Reactive::Published<std::optional<DiagnosticsSnapshot>> latestDiagnosticsSnapshot_{
        std::nullopt};
};
