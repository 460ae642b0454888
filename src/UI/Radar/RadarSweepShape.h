#pragma once

#include <QPainterPath>
#include <QRectF>

// The radar's sweep: a wedge that turns once every 2.2 s.
namespace RadarSweepShape {

inline constexpr double sweepDegrees = 72;
inline constexpr double turnSeconds = 2.2;

// The wedge's rotation, in degrees clockwise, `elapsedSeconds` after the
// sweep started: -90 (its leading edge straight up) at the start of each turn.
double rotationDegrees(double elapsedSeconds);

// A wedge of `degrees` about the centre of `rect`, as wide as the smaller
// side allows, from its straight edge pointing right counter-clockwise.
QPainterPath path(const QRectF& rect, double degrees = sweepDegrees);

} // namespace RadarSweepShape
