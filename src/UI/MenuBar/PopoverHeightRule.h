#pragma once

#include <optional>

// The popover's height for a view's preferred height: held between 320 and
// 700 points, and changed only when it differs from the current height by
// more than half a point. None when nothing is to change.
namespace PopoverHeightRule {

inline constexpr double width = 400;
inline constexpr double minimumHeight = 320;
inline constexpr double maximumHeight = 700;
inline constexpr double defaultHeight = 650;

std::optional<double> newHeight(double preferredHeight, double currentHeight);

} // namespace PopoverHeightRule
