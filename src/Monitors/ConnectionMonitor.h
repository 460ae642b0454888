#pragma once

#include "Core/DateProvider.h"
#include "Core/DomainModels.h"
#include "Core/SleepProviding.h"
#include "Monitors/PolledMonitor.h"
#include "Platform/Reactive/Published.h"
#include "System/TCPConnectionCounting.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <QString>

// Counts the machine's TCP connections by state once per poll and grades the
// pressure they put on the network stack.
class ConnectionMonitor final : public PolledMonitor<ConnectionMonitor> {
public:
    struct Configuration {
        double pollInterval;
        std::int64_t maxHistorySampleCount;
        double commandTimeout;
    };

    static std::shared_ptr<ConnectionMonitor>
    create(Configuration configuration, std::shared_ptr<TCPConnectionCounting> connectionCounter,
           std::shared_ptr<SleepProviding> sleeper,
           DateProvider dateProvider = systemDateProvider());

    // Poor above 400 orphaned or 800 in all; good below 200 orphaned and 500 in all.
    static SignalQuality quality(const TCPConnectionStateCounts& counts);

    const Reactive::Published<std::optional<ConnectionPressureResult>>& latestResult() const {
        return latestResult_;
    }
    const Reactive::Published<std::vector<ConnectionPressureResult>>& history() const {
        return history_;
    }
    const Reactive::Published<SignalQuality>& connectionQuality() const {
        return connectionQuality_;
    }
    const Reactive::Published<std::optional<QString>>& lastErrorMessage() const {
        return lastErrorMessage_;
    }

    const Configuration& configuration() const { return configuration_; }

    void resetTransientState() override;

    Async::Task<void> pollOnce();

private:
    ConnectionMonitor(Configuration configuration,
                      std::shared_ptr<TCPConnectionCounting> connectionCounter,
                      std::shared_ptr<SleepProviding> sleeper, DateProvider dateProvider);

    Configuration configuration_;
    std::shared_ptr<TCPConnectionCounting> connectionCounter_;
    DateProvider dateProvider_;

    Reactive::Published<std::optional<ConnectionPressureResult>> latestResult_{std::nullopt};
    Reactive::Published<std::vector<ConnectionPressureResult>> history_{{}};
    Reactive::Published<SignalQuality> connectionQuality_{SignalQuality::poor};
    Reactive::Published<std::optional<QString>> lastErrorMessage_{std::nullopt};
};
