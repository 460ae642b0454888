#pragma once

// Exclusive upper bounds of the bufferbloat ratio (loaded over baseline
// latency) for the grades A, B and C; anything above is F.
struct BufferbloatGradeThresholds {
    double aUpperBoundExclusive = 0;
    double bUpperBoundExclusive = 0;
    double cUpperBoundExclusive = 0;

    bool operator==(const BufferbloatGradeThresholds&) const = default;
};
