#pragma once

#include <optional>

// What one ping run told about a target.
struct PingProbeMeasurement {
    // The round-trip average and standard (or mean) deviation; none when the
    // summary line was missing or unreadable.
    std::optional<double> latencyMilliseconds;
    std::optional<double> jitterMilliseconds;
    // As reported; 100 when nothing was reported.
    double packetLossPercent = 100;
    // True exactly when the round-trip summary was read.
    bool didSucceed = false;

    bool operator==(const PingProbeMeasurement&) const = default;
};
