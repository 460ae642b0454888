#pragma once

#include <algorithm>
#include <cmath>

#include <QColor>

// `color` at `opacity` (0 to 1) times its own alpha: white at 0.72 has alpha
// 184, the nearest step to 0.72 × 255.
inline QColor withOpacity(const QColor& color, double opacity) {
    QColor result = color;
    const double alpha = std::clamp(opacity, 0.0, 1.0) * color.alpha();
    result.setAlpha(static_cast<int>(std::lround(alpha)));
    return result;
}
