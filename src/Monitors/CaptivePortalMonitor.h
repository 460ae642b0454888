#pragma once

#include "Core/DateProvider.h"
#include "Core/DomainModels.h"
#include "Monitors/PolledMonitor.h"
#include "Platform/Reactive/Published.h"
#include "System/CaptivePortalChecking.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <QString>
#include <QUrl>

// Checks once per poll whether a captive portal intercepts web traffic.
class CaptivePortalMonitor final : public PolledMonitor<CaptivePortalMonitor> {
public:
    struct Configuration {
        double pollInterval;
        std::int64_t maxHistorySampleCount;
        double commandTimeout;
    };

    static std::shared_ptr<CaptivePortalMonitor>
    create(Configuration configuration, std::shared_ptr<CaptivePortalChecking> checker,
           std::shared_ptr<SleepProviding> sleeper,
           DateProvider dateProvider = systemDateProvider());

    const Reactive::Published<std::optional<CaptivePortalStatus>>& latestStatus() const {
        return latestStatus_;
    }
    const Reactive::Published<std::vector<CaptivePortalStatus>>& history() const {
        return history_;
    }
    const Reactive::Published<bool>& isCaptivePortal() const { return isCaptivePortal_; }
    const Reactive::Published<std::optional<QUrl>>& portalURL() const { return portalURL_; }
    const Reactive::Published<std::optional<QString>>& lastErrorMessage() const {
        return lastErrorMessage_;
    }

    const Configuration& configuration() const { return configuration_; }

    void resetTransientState() override;

    Async::Task<void> pollOnce();

private:
    CaptivePortalMonitor(Configuration configuration,
                         std::shared_ptr<CaptivePortalChecking> checker,
                         std::shared_ptr<SleepProviding> sleeper, DateProvider dateProvider);

    Configuration configuration_;
    std::shared_ptr<CaptivePortalChecking> checker_;
    DateProvider dateProvider_;

    Reactive::Published<std::optional<CaptivePortalStatus>> latestStatus_{std::nullopt};
    Reactive::Published<std::vector<CaptivePortalStatus>> history_{{}};
    Reactive::Published<bool> isCaptivePortal_{false};
    Reactive::Published<std::optional<QUrl>> portalURL_{std::nullopt};
    Reactive::Published<std::optional<QString>> lastErrorMessage_{std::nullopt};
};
