#include "UI/Radar/RadarSweepShape.h"

#include <algorithm>
#include <cmath>

namespace RadarSweepShape {

double rotationDegrees(double elapsedSeconds) {
    const double withinTurn = std::fmod(elapsedSeconds, turnSeconds);
    return withinTurn / turnSeconds * 360 - 90;
}

QPainterPath path(const QRectF& rect, double degrees) {
    const QPointF centre = rect.center();
    const double radius = std::min(rect.width(), rect.height()) / 2;
    QPainterPath wedge;
    wedge.moveTo(centre);
    // Qt's angles run counter-clockwise on screen: from the right-hand edge
    // upwards.
    wedge.arcTo(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), 0,
                degrees);
    wedge.closeSubpath();
    return wedge;
}

} // namespace RadarSweepShape
