#pragma once

#include "System/PingProbeRunning.h"

#include <map>
#include <optional>
#include <vector>

#include <QString>

// A scripted ping probe: a gateway answer and one measurement per target,
// returned without suspending; records the calls in order.
class FakePingProbeRunner final : public PingProbeRunning {
public:
    std::optional<QString> gateway;
    std::map<QString, PingProbeMeasurement> measurements;
    std::vector<QString> calls;

    Async::Task<PingProbeMeasurement> performPing(QString target, double timeout) override {
        calls.push_back(QStringLiteral("ping %1 %2").arg(target).arg(timeout));
        const auto found = measurements.find(target);
        co_return found != measurements.end()
            ? found->second
            : PingProbeMeasurement{std::nullopt, std::nullopt, 100, false};
    }

    Async::Task<std::optional<QString>> resolveDefaultGateway(double timeout) override {
        calls.push_back(QStringLiteral("gateway %1").arg(timeout));
        co_return gateway;
    }

    static PingProbeMeasurement answered(double latency, double jitter, double loss = 0) {
        return {latency, jitter, loss, true};
    }
    static PingProbeMeasurement unanswered() { return {std::nullopt, std::nullopt, 100, false}; }
};
