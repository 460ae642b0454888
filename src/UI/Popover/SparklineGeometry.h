#pragma once

#include "UI/Popover/ClosedRange.h"

#include <optional>
#include <vector>

#include <QPainterPath>
#include <QPointF>
#include <QSizeF>

// Where an inline sparkline puts its samples: each sample becomes a value
// between 0 (bottom) and 1 (top), then a point in the drawing rectangle.
namespace SparklineGeometry {

// The samples drawn: readings that are not finite are left out; no reading
// draws as 0, 0 and a single reading v as v, v, so there are always two points.
std::vector<double> effectiveSamples(const std::vector<double>& samples);

// The effective samples scaled into 0 to 1: held within `yDomain` and placed
// by their share of it (0.5 throughout when it has no width), or without a
// domain scaled to the series' own extent. Without readings, 0 and 0: a flat
// line on the bottom edge.
std::vector<double> normalizedValues(const std::vector<double>& samples,
                                     const std::optional<ClosedRange>& yDomain);

// Value i of n at x = width · i / (n − 1) and y = height · (1 − value).
std::vector<QPointF> points(const std::vector<double>& normalized, const QSizeF& size);

// The faint baseline's y, half a point above the bottom edge.
double baselineY(const QSizeF& size);

// The filled area: from the baseline's start through every point and back
// down to the baseline below the last point. Empty without values.
QPainterPath areaPath(const std::vector<double>& normalized, const QSizeF& size);

// The line through the points in order. Empty without values.
QPainterPath linePath(const std::vector<double>& normalized, const QSizeF& size);

} // namespace SparklineGeometry
