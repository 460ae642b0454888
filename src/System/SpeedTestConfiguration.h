#pragma once

#include <cstdint>

// The shape of one speed test: how many requests run in parallel per phase,
// how large each is, and the time-out of every single request (seconds).
struct SpeedTestConfiguration {
    std::int64_t downloadChunkSizeBytes = 0;
    std::int64_t downloadChunks = 0;
    std::int64_t uploadChunkSizeBytes = 0;
    std::int64_t uploadChunks = 0;
    double requestTimeout = 0;

    bool operator==(const SpeedTestConfiguration&) const = default;
};
