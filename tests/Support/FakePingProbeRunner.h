#pragma once

#include "Core/TaskSleeper.h"
#include "Platform/Async/Sleep.h"
#include "System/PingProbeRunning.h"

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include <QString>

// A scripted ping probe: a gateway answer and one measurement per target;
// records the calls in order. An answer comes without suspending unless it is
// given a duration, which then passes on the runtime's (virtual) clock.
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
        if (const auto duration = pingSeconds.find(target); duration != pingSeconds.end()) {
            co_await Async::sleep(TaskSleeper::nanoseconds(duration->second));
        }
        --pingsRunning_;
        const auto found = measurements.find(target);
        co_return found != measurements.end()
            ? found->second
            : PingProbeMeasurement{std::nullopt, std::nullopt, 100, false};
    }

    Async::Task<std::optional<QString>> resolveDefaultGateway(double timeout) override {
        calls.push_back(QStringLiteral("gateway %1").arg(timeout));
        if (gatewaySeconds > 0) {
            co_await Async::sleep(TaskSleeper::nanoseconds(gatewaySeconds));
        }
        co_return gateway;
    }

    static PingProbeMeasurement answered(double latency, double jitter, double loss = 0) {
        return {latency, jitter, loss, true};
    }
    static PingProbeMeasurement unanswered() { return {std::nullopt, std::nullopt, 100, false}; }

private:
    int pingsRunning_ = 0;
};
