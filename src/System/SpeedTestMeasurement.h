#pragma once

#include <cstdint>

// The result of one speed-test phase.
struct SpeedTestMeasurement {
    // Decimal megabits per second over the whole phase.
    double throughputMbps = 0;
    // Bytes counted over every request of the phase.
    std::int64_t bytesTransferred = 0;
    // Monotonic seconds the phase took, never below 0.001.
    double durationSeconds = 0;

    bool operator==(const SpeedTestMeasurement&) const = default;
};
