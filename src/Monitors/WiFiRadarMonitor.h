#pragma once

#include "Core/DateProvider.h"
#include "Core/DomainModels.h"
#include "Core/SleepProviding.h"
#include "Monitors/PollingLoop.h"
#include "Platform/Reactive/Published.h"
#include "System/WiFiInterfaceProviding.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// The fast Wi-Fi sampler behind the radar window: reads the current link
// several times a second while the window is shown. It reads the interface
// only (no address lookup, no VPN check) and is started and stopped by the
// window itself, never by the monitoring lifecycle.
class WiFiRadarMonitor final : public std::enable_shared_from_this<WiFiRadarMonitor> {
public:
    struct Configuration {
        double pollInterval;
        std::int64_t maxHistorySampleCount;
    };

    static std::shared_ptr<WiFiRadarMonitor>
    create(Configuration configuration, std::shared_ptr<WiFiInterfaceProviding> interfaceProvider,
           std::shared_ptr<SleepProviding> sleeper,
           DateProvider dateProvider = systemDateProvider());

    const Reactive::Published<bool>& isConnected() const { return isConnected_; }
    const Reactive::Published<std::optional<WiFiSnapshot>>& latestSnapshot() const {
        return latestSnapshot_;
    }
    // Readings of the polls that found an interface, oldest first.
    const Reactive::Published<std::vector<WiFiSnapshot>>& history() const { return history_; }

    const Configuration& configuration() const { return configuration_; }

    // Starts sampling unless it runs; the first reading is taken at once.
    void start();
    // Cancels the sampling without waiting for it; the readings stay.
    void stop();

    // One reading; run by the polling loop. Never suspends.
    Async::Task<void> pollOnce();

private:
    WiFiRadarMonitor(Configuration configuration,
                     std::shared_ptr<WiFiInterfaceProviding> interfaceProvider,
                     std::shared_ptr<SleepProviding> sleeper, DateProvider dateProvider);

    Configuration configuration_;
    std::shared_ptr<WiFiInterfaceProviding> interfaceProvider_;
    DateProvider dateProvider_;

    Reactive::Published<bool> isConnected_{false};
    Reactive::Published<std::optional<WiFiSnapshot>> latestSnapshot_{std::nullopt};
    Reactive::Published<std::vector<WiFiSnapshot>> history_{{}};

    PollingLoop loop_;
};
