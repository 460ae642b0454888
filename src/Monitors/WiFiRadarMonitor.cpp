#include "Monitors/WiFiRadarMonitor.h"

#include "Monitors/History.h"
#include "Monitors/WiFiSnapshotBuilding.h"

std::shared_ptr<WiFiRadarMonitor>
WiFiRadarMonitor::create(Configuration configuration,
                         std::shared_ptr<WiFiInterfaceProviding> interfaceProvider,
                         std::shared_ptr<SleepProviding> sleeper, DateProvider dateProvider) {
    return std::shared_ptr<WiFiRadarMonitor>(new WiFiRadarMonitor(
        configuration, std::move(interfaceProvider), std::move(sleeper), std::move(dateProvider)));
}

WiFiRadarMonitor::WiFiRadarMonitor(Configuration configuration,
                                   std::shared_ptr<WiFiInterfaceProviding> interfaceProvider,
                                   std::shared_ptr<SleepProviding> sleeper,
                                   DateProvider dateProvider)
    : configuration_(configuration), interfaceProvider_(std::move(interfaceProvider)),
      dateProvider_(std::move(dateProvider)),
      loop_(configuration.pollInterval, std::move(sleeper)) {}

void WiFiRadarMonitor::start() {
    loop_.start(shared_from_this());
}

void WiFiRadarMonitor::stop() {
    loop_.stop();
}

Async::Task<void> WiFiRadarMonitor::pollOnce() {
    const std::optional<WiFiInterfaceSnapshot> interface = interfaceProvider_->currentSnapshot();
    if (!interface) {
        isConnected_ = false;
        latestSnapshot_ = std::nullopt;
        co_return;
    }
    const WiFiSnapshot snapshot =
        makeWiFiSnapshot(*interface, dateProvider_(), std::nullopt, false);
    isConnected_ = true;
    latestSnapshot_ = snapshot;
    appendToHistory(history_, snapshot, configuration_.maxHistorySampleCount);
}
