#pragma once

// The round-trip summary of one ping run, in milliseconds.
struct PingRoundTripStatistics {
    double minimumMilliseconds = 0;
    double averageMilliseconds = 0;
    double maximumMilliseconds = 0;
    double standardDeviationMilliseconds = 0;

    bool operator==(const PingRoundTripStatistics&) const = default;
};
