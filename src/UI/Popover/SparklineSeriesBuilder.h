#pragma once

#include <vector>

// Scales a series of readings into the 0-to-1 band a sparkline draws when it
// has no fixed y-range.
namespace SparklineSeriesBuilder {

// The smallest reading becomes 0 and the largest 1; a flat series is drawn at
// 0.5 throughout. Readings that are not finite are left out.
std::vector<double> normalizedValues(const std::vector<double>& values);

} // namespace SparklineSeriesBuilder
