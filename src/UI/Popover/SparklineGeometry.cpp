#include "UI/Popover/SparklineGeometry.h"

#include "UI/Popover/SparklineSeriesBuilder.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace SparklineGeometry {

std::vector<double> effectiveSamples(const std::vector<double>& samples) {
    std::vector<double> finite;
    finite.reserve(std::max<std::size_t>(samples.size(), 2));
    std::copy_if(samples.begin(), samples.end(), std::back_inserter(finite),
                 [](double value) { return std::isfinite(value); });
    if (finite.empty()) {
        return {0, 0};
    }
    if (finite.size() == 1) {
        finite.push_back(finite.front());
    }
    return finite;
}

std::vector<double> normalizedValues(const std::vector<double>& samples,
                                     const std::optional<ClosedRange>& yDomain) {
    std::vector<double> values = effectiveSamples(samples);
    if (std::none_of(samples.begin(), samples.end(),
                     [](double value) { return std::isfinite(value); })) {
        // Nothing measured yet lies flat on the bottom edge, whatever the range:
        // placed as a reading of 0 it would sit at the top of a range below 0.
        return {0, 0};
    }
    if (!yDomain) {
        return SparklineSeriesBuilder::normalizedValues(values);
    }
    const double lower = yDomain->lowerBound;
    const double upper = yDomain->upperBound;
    const double span = upper - lower;
    // A range without width, or without finite width, places nothing: mid-height.
    const bool hasWidth = span > 0 && std::isfinite(span);
    for (double& value : values) {
        value = hasWidth ? (std::clamp(value, lower, upper) - lower) / span : 0.5;
    }
    return values;
}

std::vector<QPointF> points(const std::vector<double>& normalized, const QSizeF& size) {
    const double divisor = static_cast<double>(std::max<std::size_t>(normalized.size(), 2) - 1);
    std::vector<QPointF> result;
    result.reserve(normalized.size());
    for (std::size_t index = 0; index < normalized.size(); ++index) {
        result.emplace_back(size.width() * static_cast<double>(index) / divisor,
                            size.height() * (1 - normalized[index]));
    }
    return result;
}

double baselineY(const QSizeF& size) {
    return size.height() - 0.5;
}

QPainterPath areaPath(const std::vector<double>& normalized, const QSizeF& size) {
    QPainterPath path;
    const std::vector<QPointF> vertices = points(normalized, size);
    if (vertices.empty()) {
        return path;
    }
    const double baseline = baselineY(size);
    path.moveTo(0, baseline);
    for (const QPointF& vertex : vertices) {
        path.lineTo(vertex);
    }
    path.lineTo(vertices.back().x(), baseline);
    path.closeSubpath();
    return path;
}

QPainterPath linePath(const std::vector<double>& normalized, const QSizeF& size) {
    QPainterPath path;
    const std::vector<QPointF> vertices = points(normalized, size);
    if (vertices.empty()) {
        return path;
    }
    path.moveTo(vertices.front());
    for (auto vertex = std::next(vertices.begin()); vertex != vertices.end(); ++vertex) {
        path.lineTo(*vertex);
    }
    return path;
}

} // namespace SparklineGeometry
