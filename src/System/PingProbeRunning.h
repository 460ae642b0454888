#pragma once

#include "Platform/Async/Task.h"
#include "System/PingProbeMeasurement.h"

#include <optional>

#include <QString>

// Pings a target and finds the default router. Neither operation throws:
// failures become a failed measurement or no gateway.
class PingProbeRunning {
public:
    virtual ~PingProbeRunning() = default;
    virtual Async::Task<PingProbeMeasurement> performPing(QString target, double timeout) = 0;
    virtual Async::Task<std::optional<QString>> resolveDefaultGateway(double timeout) = 0;
};
