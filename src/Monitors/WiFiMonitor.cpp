#include "Monitors/WiFiMonitor.h"

#include "Monitors/History.h"
#include "Monitors/WiFiSnapshotBuilding.h"
#include "Platform/Async/ChildTasks.h"

std::shared_ptr<WiFiMonitor>
WiFiMonitor::create(Configuration configuration,
                    std::shared_ptr<WiFiInterfaceProviding> interfaceProvider,
                    std::shared_ptr<WiFiNetworkMetadataResolving> metadataResolver,
                    std::shared_ptr<SleepProviding> sleeper, DateProvider dateProvider) {
    return std::shared_ptr<WiFiMonitor>(
        new WiFiMonitor(configuration, std::move(interfaceProvider), std::move(metadataResolver),
                        std::move(sleeper), std::move(dateProvider)));
}

WiFiMonitor::WiFiMonitor(Configuration configuration,
                         std::shared_ptr<WiFiInterfaceProviding> interfaceProvider,
                         std::shared_ptr<WiFiNetworkMetadataResolving> metadataResolver,
                         std::shared_ptr<SleepProviding> sleeper, DateProvider dateProvider)
    : PolledMonitor(configuration.pollInterval, std::move(sleeper)), configuration_(configuration),
      interfaceProvider_(std::move(interfaceProvider)),
      metadataResolver_(std::move(metadataResolver)), dateProvider_(std::move(dateProvider)) {}

void WiFiMonitor::resetTransientState() {
    isConnected_ = false;
    latestSnapshot_ = std::nullopt;
    history_ = {};
}

Async::Task<void> WiFiMonitor::pollOnce() {
    const std::optional<WiFiInterfaceSnapshot> interface = interfaceProvider_->currentSnapshot();
    if (!interface) {
        isConnected_ = false;
        latestSnapshot_ = std::nullopt;
        co_return;
    }
    // Stamped when the lookups begin, not when they end.
    const Date timestamp = dateProvider_();
    auto [ipAddress, isVPNActive] = co_await Async::whenAll(
        metadataResolver_->ipv4Address(interface->interfaceName), metadataResolver_->isVPNActive());
    if (isCutShortByStop()) {
        co_return;
    }
    const WiFiSnapshot snapshot =
        makeWiFiSnapshot(*interface, timestamp, std::move(ipAddress), isVPNActive);
    isConnected_ = true;
    latestSnapshot_ = snapshot;
    appendToHistory(history_, snapshot, configuration_.maxHistorySampleCount);
}
