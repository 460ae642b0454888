#pragma once

#include "Core/DateProvider.h"
#include "Core/DomainModels.h"
#include "Core/SleepProviding.h"
#include "Monitors/PolledMonitor.h"
#include "Platform/Reactive/Published.h"
#include "System/PingProbeRunning.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <QString>

// Pings the default router and an internet target once per poll, publishes
// both results with their histories, and leaves the router out of the health
// grade while it keeps ignoring pings that the internet answers.
class PingMonitor final : public PolledMonitor<PingMonitor> {
public:
    struct Configuration {
        double pollInterval;
        std::int64_t maxHistorySampleCount;
        double commandTimeout;
        QString internetTarget;
        std::int64_t routerIgnoreFailureThreshold;
    };

    static std::shared_ptr<PingMonitor> create(Configuration configuration,
                                               std::shared_ptr<PingProbeRunning> pingProbeRunner,
                                               std::shared_ptr<SleepProviding> sleeper,
                                               DateProvider dateProvider = systemDateProvider());

    const Reactive::Published<std::optional<QString>>& routerIPAddress() const {
        return routerIPAddress_;
    }
    const Reactive::Published<std::optional<PingResult>>& routerResult() const {
        return routerResult_;
    }
    const Reactive::Published<std::optional<PingResult>>& internetResult() const {
        return internetResult_;
    }
    const Reactive::Published<std::vector<PingResult>>& routerHistory() const {
        return routerHistory_;
    }
    const Reactive::Published<std::vector<PingResult>>& internetHistory() const {
        return internetHistory_;
    }
    const Reactive::Published<bool>& isRouterIgnored() const { return isRouterIgnored_; }

    const QString& internetTarget() const { return configuration_.internetTarget; }
    const Configuration& configuration() const { return configuration_; }

    // Takes the trimmed text as the target for the next poll; blank text, and
    // text ping would misread (a leading "-", inner whitespace or controls),
    // is ignored.
    void setInternetTarget(const QString& target);

    void resetTransientState() override;

    // One measurement; run by the polling loop.
    Async::Task<void> pollOnce();

private:
    PingMonitor(Configuration configuration, std::shared_ptr<PingProbeRunning> pingProbeRunner,
                std::shared_ptr<SleepProviding> sleeper, DateProvider dateProvider);

    static PingResult makeResult(PingTarget target, Date timestamp,
                                 const PingProbeMeasurement& measurement);
    void publishBoth(const PingResult& router, const PingResult& internet);
    void publishInternetOnly(const PingResult& internet);
    void updateRouterIgnoredMode(const PingResult& router, const PingResult& internet);

    Configuration configuration_;
    std::shared_ptr<PingProbeRunning> pingProbeRunner_;
    DateProvider dateProvider_;
    std::int64_t consecutiveRouterFailuresWhileInternetSucceeds_ = 0;

    Reactive::Published<std::optional<QString>> routerIPAddress_{std::nullopt};
    Reactive::Published<std::optional<PingResult>> routerResult_{std::nullopt};
    Reactive::Published<std::optional<PingResult>> internetResult_{std::nullopt};
    Reactive::Published<std::vector<PingResult>> routerHistory_{{}};
    Reactive::Published<std::vector<PingResult>> internetHistory_{{}};
    Reactive::Published<bool> isRouterIgnored_{false};
};
