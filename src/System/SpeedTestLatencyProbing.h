#pragma once

#include "Platform/Async/Task.h"

#include <optional>

#include <QString>

// One latency sample for the speed test's baseline and loaded latency.
class SpeedTestLatencyProbing {
public:
    virtual ~SpeedTestLatencyProbing() = default;
    // Milliseconds, or none when the host did not answer. Never throws.
    virtual Async::Task<std::optional<double>> measureLatency(QString host, double timeout) = 0;
};
