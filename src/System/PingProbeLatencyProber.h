#pragma once

#include "System/PingProbeRunning.h"
#include "System/SpeedTestLatencyProbing.h"

#include <memory>

// A latency sample from a single ping: its average round trip when the ping succeeded.
class PingProbeLatencyProber final : public SpeedTestLatencyProbing {
public:
    explicit PingProbeLatencyProber(std::shared_ptr<PingProbeRunning> pingProbeRunner);

    Async::Task<std::optional<double>> measureLatency(QString host, double timeout) override;

private:
    std::shared_ptr<PingProbeRunning> pingProbeRunner_;
};
