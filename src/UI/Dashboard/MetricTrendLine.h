#pragma once

#include "UI/Popover/ClosedRange.h"

#include <optional>
#include <vector>

#include <QColor>
#include <QString>

// What one metric row of the dashboard shows: title, formatted value and,
// for a trend row, the history it draws against its vertical range.
struct MetricTrendLine {
    QString title;
    QString value;
    std::vector<double> samples;
    std::optional<ClosedRange> yDomain;
    QColor strokeColor;

    bool operator==(const MetricTrendLine&) const = default;
};
