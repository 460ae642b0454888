#pragma once

#include <optional>

// What one ping of a target reports.
struct PingProbeMeasurement {
    // Round-trip average; none when the summary is missing or unreadable.
    std::optional<double> latencyMilliseconds;
    // Round-trip standard deviation; none when the summary is missing or unreadable.
    std::optional<double> jitterMilliseconds;
    // The reported loss; 100 when none is reported.
    double packetLossPercent = 100;
    // The round-trip summary was read.
    bool didSucceed = false;

    bool operator==(const PingProbeMeasurement&) const = default;
};
