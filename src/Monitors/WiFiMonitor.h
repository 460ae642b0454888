#pragma once

#include "Core/DateProvider.h"
#include "Core/DomainModels.h"
#include "Monitors/PolledMonitor.h"
#include "Platform/Reactive/Published.h"
#include "System/WiFiInterfaceProviding.h"
#include "System/WiFiNetworkMetadataResolving.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// Reads the current Wi-Fi link once per poll, with the interface's IPv4
// address and whether a VPN tunnel is up.
class WiFiMonitor final : public PolledMonitor<WiFiMonitor> {
public:
    struct Configuration {
        double pollInterval;
        std::int64_t maxHistorySampleCount;
    };

    static std::shared_ptr<WiFiMonitor>
    create(Configuration configuration, std::shared_ptr<WiFiInterfaceProviding> interfaceProvider,
           std::shared_ptr<WiFiNetworkMetadataResolving> metadataResolver,
           std::shared_ptr<SleepProviding> sleeper,
           DateProvider dateProvider = systemDateProvider());

    const Reactive::Published<bool>& isConnected() const { return isConnected_; }
    const Reactive::Published<std::optional<WiFiSnapshot>>& latestSnapshot() const {
        return latestSnapshot_;
    }
    // Readings of the polls that found an interface, oldest first.
    const Reactive::Published<std::vector<WiFiSnapshot>>& history() const { return history_; }

    const Configuration& configuration() const { return configuration_; }

    void resetTransientState() override;

    Async::Task<void> pollOnce();

private:
    WiFiMonitor(Configuration configuration,
                std::shared_ptr<WiFiInterfaceProviding> interfaceProvider,
                std::shared_ptr<WiFiNetworkMetadataResolving> metadataResolver,
                std::shared_ptr<SleepProviding> sleeper, DateProvider dateProvider);

    Configuration configuration_;
    std::shared_ptr<WiFiInterfaceProviding> interfaceProvider_;
    std::shared_ptr<WiFiNetworkMetadataResolving> metadataResolver_;
    DateProvider dateProvider_;

    Reactive::Published<bool> isConnected_{false};
    Reactive::Published<std::optional<WiFiSnapshot>> latestSnapshot_{std::nullopt};
    Reactive::Published<std::vector<WiFiSnapshot>> history_{{}};
};
