#pragma once

#include <cstdint>

// The shape of one channel-scan run.
struct ChannelScanConfiguration {
    std::int64_t passCount;    // scans per run; a count below 1 runs one
    double pauseBetweenPasses; // seconds after each pass but the last

    bool operator==(const ChannelScanConfiguration&) const = default;
};
