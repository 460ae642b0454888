#pragma once

#include <algorithm>

#include <QColor>

// The colour `fraction` (clamped to 0 to 1) of the way from `from` to `to`,
// channel by channel, alpha included.
inline QColor blended(const QColor& from, const QColor& to, double fraction) {
    const double share = std::clamp(fraction, 0.0, 1.0);
    const auto channel = [share](float start, float end) { return start + (end - start) * share; };
    const QColor start = from.toRgb();
    const QColor end = to.toRgb();
    return QColor::fromRgbF(
        channel(start.redF(), end.redF()), channel(start.greenF(), end.greenF()),
        channel(start.blueF(), end.blueF()), channel(start.alphaF(), end.alphaF()));
}
