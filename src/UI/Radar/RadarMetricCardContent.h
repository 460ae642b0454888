#pragma once

#include "UI/Popover/ClosedRange.h"

#include <optional>
#include <vector>

#include <QString>

// One metric card of the radar's sidebar: a title, the current value with
// its unit, and a sparkline of the recent values against a fixed range.
struct RadarMetricCardContent {
    QString title;
    QString value;
    std::optional<QString> unit;
    std::vector<double> samples;
    ClosedRange yDomain{0, 1};

    // The value, and the unit after one space when there is one.
    QString valueText() const { return unit ? value + QLatin1Char(' ') + *unit : value; }

    bool operator==(const RadarMetricCardContent&) const = default;
};
