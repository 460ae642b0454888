#include "Monitors/PingMonitor.h"

#include "Monitors/History.h"
#include "Platform/Async/ChildTasks.h"
#include "System/CommandOperandGuard.h"

std::shared_ptr<PingMonitor> PingMonitor::create(Configuration configuration,
                                                 std::shared_ptr<PingProbeRunning> pingProbeRunner,
                                                 std::shared_ptr<SleepProviding> sleeper,
                                                 DateProvider dateProvider) {
    return std::shared_ptr<PingMonitor>(
        new PingMonitor(std::move(configuration), std::move(pingProbeRunner), std::move(sleeper),
                        std::move(dateProvider)));
}

PingMonitor::PingMonitor(Configuration configuration,
                         std::shared_ptr<PingProbeRunning> pingProbeRunner,
                         std::shared_ptr<SleepProviding> sleeper, DateProvider dateProvider)
    : PolledMonitor(configuration.pollInterval, std::move(sleeper)),
      configuration_(std::move(configuration)), pingProbeRunner_(std::move(pingProbeRunner)),
      dateProvider_(std::move(dateProvider)) {}

void PingMonitor::setInternetTarget(const QString& target) {
    // A stored preference may be corrupt or hostile: a target ping would read
    // as an option is ignored like a blank one.
    const QString trimmed = target.trimmed();
    if (isSafeCommandOperand(trimmed, u"-")) {
        configuration_.internetTarget = trimmed;
    }
}

void PingMonitor::resetTransientState() {
    routerIPAddress_ = std::nullopt;
    routerResult_ = std::nullopt;
    internetResult_ = std::nullopt;
    routerHistory_ = {};
    internetHistory_ = {};
    consecutiveRouterFailuresWhileInternetSucceeds_ = 0;
    isRouterIgnored_ = false;
}

Async::Task<void> PingMonitor::pollOnce() {
    const Date timestamp = dateProvider_();
    const double timeout = configuration_.commandTimeout;
    const std::optional<QString> gateway =
        co_await pingProbeRunner_->resolveDefaultGateway(timeout);
    if (isCutShortByStop()) {
        co_return;
    }
    routerIPAddress_ = gateway;
    const QString internetTarget = configuration_.internetTarget;
    if (!gateway) {
        const PingProbeMeasurement internet =
            co_await pingProbeRunner_->performPing(internetTarget, timeout);
        if (isCutShortByStop()) {
            co_return;
        }
        publishInternetOnly(makeResult(PingTarget::internet, timestamp, internet));
        co_return;
    }
    const auto [router, internet] =
        co_await Async::whenAll(pingProbeRunner_->performPing(*gateway, timeout),
                                pingProbeRunner_->performPing(internetTarget, timeout));
    if (isCutShortByStop()) {
        co_return;
    }
    publishBoth(makeResult(PingTarget::router, timestamp, router),
                makeResult(PingTarget::internet, timestamp, internet));
}

PingResult PingMonitor::makeResult(PingTarget target, Date timestamp,
                                   const PingProbeMeasurement& measurement) {
    return PingResult{target,
                      timestamp,
                      measurement.latencyMilliseconds,
                      measurement.jitterMilliseconds,
                      measurement.packetLossPercent,
                      measurement.didSucceed};
}

void PingMonitor::publishBoth(const PingResult& router, const PingResult& internet) {
    routerResult_ = router;
    internetResult_ = internet;
    appendToHistory(routerHistory_, router, configuration_.maxHistorySampleCount);
    appendToHistory(internetHistory_, internet, configuration_.maxHistorySampleCount);
    updateRouterIgnoredMode(router, internet);
}

void PingMonitor::publishInternetOnly(const PingResult& internet) {
    routerResult_ = std::nullopt;
    internetResult_ = internet;
    appendToHistory(internetHistory_, internet, configuration_.maxHistorySampleCount);
    consecutiveRouterFailuresWhileInternetSucceeds_ = 0;
    isRouterIgnored_ = false;
}

// A router that keeps failing while the internet answers ignores pings: from
// the threshold-th such poll in a row it is left out, until it answers again
// or the internet fails too.
void PingMonitor::updateRouterIgnoredMode(const PingResult& router, const PingResult& internet) {
    if (internet.didSucceed && !router.didSucceed) {
        ++consecutiveRouterFailuresWhileInternetSucceeds_;
        if (consecutiveRouterFailuresWhileInternetSucceeds_ >=
            configuration_.routerIgnoreFailureThreshold) {
            isRouterIgnored_ = true;
        }
        return;
    }
    consecutiveRouterFailuresWhileInternetSucceeds_ = 0;
    isRouterIgnored_ = false;
}
