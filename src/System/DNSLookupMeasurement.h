#pragma once

#include <optional>

// The resolver's answer time for one lookup, as dig reported it.
struct DNSLookupMeasurement {
    std::optional<double> latencyMilliseconds;
    // True exactly when the query time was read.
    bool didSucceed = false;

    bool operator==(const DNSLookupMeasurement&) const = default;
};
