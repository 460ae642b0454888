#pragma once

#include "Support/WaitToAnswer.h"
#include "System/PingProbeRunning.h"

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include <QString>

// A scripted ping probe: a gateway answer and one measurement per target;
// records the calls in order. An answer comes without suspending unless it is
// given a duration, which then passes on the runtime's (virtual) clock; an
// answer cut short by cancellation is a failure, as the real probe's is.
class FakePingProbeRunner final : public PingProbeRunning {
public:
    std::optional<QString> gateway;
    std::map<QString, PingProbeMeasurement> measurements;
    std::vector<QString> calls;
    double gatewaySeconds = 0;
    std::map<QString, double> pingSeconds;
    // The most pings that were running at one time.
    int mostPingsAtOnce = 0;

    Async::Task<PingProbeMeasurement> performPing(QString target, double timeout) override {
        calls.push_back(QStringLiteral("ping %1 %2").arg(target).arg(timeout));
        mostPingsAtOnce = std::max(mostPingsAtOnce, ++pingsRunning_);
        const auto duration = pingSeconds.find(target);
        const bool didAnswer =
            co_await waitToAnswer(duration != pingSeconds.end() ? duration->second : 0);
        --pingsRunning_;
        const auto found = measurements.find(target);
        if (!didAnswer || found == measurements.end()) {
            co_return unanswered();
        }
        co_return found->second;
    }

    Async::Task<std::optional<QString>> resolveDefaultGateway(double timeout) override {
        calls.push_back(QStringLiteral("gateway %1").arg(timeout));
        co_return co_await waitToAnswer(gatewaySeconds) ? gateway : std::nullopt;
    }

    static PingProbeMeasurement answered(double latency, double jitter, double loss = 0) {
        return {latency, jitter, loss, true};
    }
    static PingProbeMeasurement unanswered() { return {std::nullopt, std::nullopt, 100, false}; }

private:
    int pingsRunning_ = 0;
};
