#include "UI/Popover/SparklineSeriesBuilder.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace SparklineSeriesBuilder {

std::vector<double> normalizedValues(const std::vector<double>& values) {
    std::vector<double> finite;
    finite.reserve(values.size());
    std::copy_if(values.begin(), values.end(), std::back_inserter(finite),
                 [](double value) { return std::isfinite(value); });
    if (finite.empty()) {
        return finite;
    }
    const auto [smallest, largest] = std::minmax_element(finite.begin(), finite.end());
    const double minimum = *smallest;
    const double maximum = *largest;
    if (minimum == maximum) {
        std::fill(finite.begin(), finite.end(), 0.5);
        return finite;
    }
    // Readings at both ends of the double range would overflow their span;
    // halving both sides first keeps it finite.
    const bool spanOverflows = !std::isfinite(maximum - minimum);
    const double scale = spanOverflows ? 0.5 : 1.0;
    const double span = maximum * scale - minimum * scale;
    for (double& value : finite) {
        value = (value * scale - minimum * scale) / span;
    }
    return finite;
}

} // namespace SparklineSeriesBuilder
