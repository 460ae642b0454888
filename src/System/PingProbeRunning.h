#pragma once

#include "Platform/Async/Task.h"
#include "System/PingProbeMeasurement.h"

#include <optional>

#include <QString>

// Pings targets and finds the default router. Neither operation throws; both
// may run at the same time on one instance.
class PingProbeRunning {
public:
    virtual ~PingProbeRunning() = default;

    // `target` is an IPv4 or IPv6 address (possibly with a zone) or a host
    // name; `timeout` is the per-packet wait in seconds.
    virtual Async::Task<PingProbeMeasurement> performPing(QString target, double timeout) = 0;

    // The default router's address, or none; `timeout` applies to each
    // command run on the way.
    virtual Async::Task<std::optional<QString>> resolveDefaultGateway(double timeout) = 0;
};
