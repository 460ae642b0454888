#pragma once

#include <QPainterPath>
#include <QRectF>

// The radar's sweep: a wedge that turns once every 2.2 s.
namespace RadarSweepShape {

inline constexpr double sweepDegrees = 72;
inline constexpr double turnSeconds = 2.2;
// The sweep's fill: the tint at these opacities, brightest on its straight
// trailing edge's side and faintest on the far side of the disc.
inline constexpr double trailingOpacity = 0.28;
inline constexpr double leadingOpacity = 0.03;

// The wedge's rotation, in degrees clockwise, `elapsedSeconds` after the
// sweep started: -90 (its leading edge straight up) at the start of each turn.
double rotationDegrees(double elapsedSeconds);

// A wedge of `degrees` about the centre of `rect`, as wide as the smaller
// side allows, from its straight edge pointing right counter-clockwise.
QPainterPath path(const QRectF& rect, double degrees = sweepDegrees);

} // namespace RadarSweepShape
