#pragma once

// A closed range of reals, lower bound first.
struct ClosedRange {
    double lowerBound;
    double upperBound;

    bool operator==(const ClosedRange&) const = default;
};
