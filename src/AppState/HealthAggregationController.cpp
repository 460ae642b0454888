#include "AppState/HealthAggregationController.h"

#include "Core/HealthCalculator.h"
#include "Platform/Async/TaskHandle.h"

#include <algorithm>
#include <vector>

std::shared_ptr<HealthAggregationController> HealthAggregationController::create(
    std::shared_ptr<MonitoringLifecycleController> lifecycleController,
    std::shared_ptr<WiFiMonitor> wifiMonitor, std::shared_ptr<PingMonitor> pingMonitor,
    std::shared_ptr<DNSMonitor> dnsMonitor, DateProvider dateProvider) {
    std::shared_ptr<HealthAggregationController> controller(new HealthAggregationController(
        std::move(lifecycleController), std::move(wifiMonitor), std::move(pingMonitor),
        std::move(dnsMonitor), std::move(dateProvider)));
    controller->observeInputs();
    controller->recalculateHealthState();
    return controller;
}

HealthAggregationController::HealthAggregationController(
    std::shared_ptr<MonitoringLifecycleController> lifecycleController,
    std::shared_ptr<WiFiMonitor> wifiMonitor, std::shared_ptr<PingMonitor> pingMonitor,
    std::shared_ptr<DNSMonitor> dnsMonitor, DateProvider dateProvider)
    : lifecycleController_(std::move(lifecycleController)), wifiMonitor_(std::move(wifiMonitor)),
      pingMonitor_(std::move(pingMonitor)), dnsMonitor_(std::move(dnsMonitor)),
      dateProvider_(std::move(dateProvider)) {}

SignalQuality HealthAggregationController::rssiQuality(std::int64_t rssiDbm) {
    if (rssiDbm >= -59) {
        return SignalQuality::good;
    }
    return rssiDbm >= -75 ? SignalQuality::warning : SignalQuality::poor;
}

SignalQuality HealthAggregationController::snrQuality(std::int64_t snrDb) {
    if (snrDb >= 25) {
        return SignalQuality::good;
    }
    return snrDb >= 20 ? SignalQuality::warning : SignalQuality::poor;
}

SignalQuality HealthAggregationController::noiseFloorQuality(std::int64_t noiseFloorDbm) {
    if (noiseFloorDbm < -90) {
        return SignalQuality::good;
    }
    return noiseFloorDbm < -79 ? SignalQuality::warning : SignalQuality::poor;
}

HealthState HealthAggregationController::healthState(const Inputs& inputs) {
    if (!inputs.isMonitoringEnabled || !inputs.isWiFiConnected || !inputs.wifiSnapshot) {
        return HealthState::disconnected;
    }
    std::vector<SignalQuality> grades{
        rssiQuality(inputs.wifiSnapshot->rssiDbm),
        snrQuality(inputs.wifiSnapshot->snrDb),
        noiseFloorQuality(inputs.wifiSnapshot->noiseFloorDbm),
        HealthCalculator::pingLatencyQuality(inputs.internetResult),
        HealthCalculator::pingJitterQuality(inputs.internetResult),
        HealthCalculator::dnsQuality(inputs.dnsResult),
    };
    if (!inputs.isRouterIgnored) {
        grades.push_back(HealthCalculator::pingLatencyQuality(inputs.routerResult));
        grades.push_back(HealthCalculator::pingJitterQuality(inputs.routerResult));
    }
    const auto contains = [&grades](SignalQuality quality) {
        return std::find(grades.begin(), grades.end(), quality) != grades.end();
    };
    if (contains(SignalQuality::poor)) {
        return HealthState::poor;
    }
    return contains(SignalQuality::warning) ? HealthState::warning : HealthState::good;
}

template <class T> void HealthAggregationController::observe(const Reactive::Published<T>& input) {
    cancellables_.insert(input.subscribe([weakController = weak_from_this()](const T&) {
        if (const auto controller = weakController.lock()) {
            controller->scheduleRecalculation();
        }
    }));
}

void HealthAggregationController::observeInputs() {
    observe(lifecycleController_->isMonitoringEnabled());
    observe(wifiMonitor_->isConnected());
    observe(wifiMonitor_->latestSnapshot());
    observe(pingMonitor_->routerResult());
    observe(pingMonitor_->internetResult());
    observe(pingMonitor_->isRouterIgnored());
    observe(dnsMonitor_->latestResult());
}

// Never inside the change notification: a task on a later turn, after the
// change has been stored, so every input is read afresh.
void HealthAggregationController::scheduleRecalculation() {
    Async::spawn([weakController = weak_from_this()]() -> Async::Task<void> {
        if (const auto controller = weakController.lock()) {
            controller->recalculateHealthState();
        }
        co_return;
    });
}

HealthAggregationController::Inputs HealthAggregationController::currentInputs() const {
    return Inputs{lifecycleController_->isMonitoringEnabled().value(),
                  wifiMonitor_->isConnected().value(),
                  wifiMonitor_->latestSnapshot().value(),
                  pingMonitor_->routerResult().value(),
                  pingMonitor_->internetResult().value(),
                  pingMonitor_->isRouterIgnored().value(),
                  dnsMonitor_->latestResult().value()};
}

void HealthAggregationController::recalculateHealthState() {
    const Inputs inputs = currentInputs();
    const HealthState state = healthState(inputs);
    healthState_ = state;
    latestDiagnosticsSnapshot_ =
        DiagnosticsSnapshot{dateProvider_(),       inputs.wifiSnapshot, inputs.routerResult,
                            inputs.internetResult, inputs.dnsResult,    state};
}
