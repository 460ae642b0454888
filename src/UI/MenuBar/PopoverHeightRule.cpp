#include "UI/MenuBar/PopoverHeightRule.h"

#include <algorithm>
#include <cmath>

namespace PopoverHeightRule {

std::optional<double> newHeight(double preferredHeight, double currentHeight) {
    if (std::isnan(preferredHeight)) {
        return std::nullopt;
    }
    const double clamped = std::clamp(preferredHeight, minimumHeight, maximumHeight);
    if (std::abs(currentHeight - clamped) <= 0.5) {
        return std::nullopt;
    }
    return clamped;
}

} // namespace PopoverHeightRule
