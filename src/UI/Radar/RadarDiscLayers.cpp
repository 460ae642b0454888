#include "UI/Radar/RadarDiscLayers.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Radar/RadarSweepShape.h"
#include "UI/Radar/WiFiRadarTheme.h"

#include <algorithm>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

namespace {

constexpr double gradientStartRadius = 8;
// Antialiasing reaches into the pixel beside an edge.
constexpr int antialiasingMargin = 1;

QRectF centredSquare(const QPointF& centre, double side) {
    return {centre.x() - side / 2, centre.y() - side / 2, side, side};
}

// The wedge turned by `rotationDegrees` about the disc's centre.
QTransform sweepTransform(const QRectF& disc, double rotationDegrees) {
    QTransform transform;
    transform.translate(disc.center().x(), disc.center().y());
    transform.rotate(rotationDegrees);
    return transform;
}

QPainterPath sweepPath(const QRectF& disc) {
    const double radius = disc.width() / 2;
    return RadarSweepShape::path(QRectF(-radius, -radius, disc.width(), disc.width()));
}

} // namespace

namespace RadarDiscLayers {

void clipToDisc(QPainter& painter, const QRectF& disc) {
    QPainterPath clip;
    clip.addEllipse(disc);
    painter.setClipPath(clip);
}

void paintSurface(QPainter& painter, const QRectF& disc) {
    const QPointF centre = disc.center();
    const double radius = disc.width() / 2;
    QRadialGradient background(centre, std::max(1.0, radius), centre, gradientStartRadius);
    background.setColorAt(0, QColor::fromRgbF(0.06F, 0.12F, 0.09F));
    background.setColorAt(1, QColor::fromRgbF(0.03F, 0.05F, 0.07F));
    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    painter.drawEllipse(disc);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withOpacity(WiFiRadarTheme::radarGreen(), 0.16), 1));
    for (int ring = 1; ring <= 4; ++ring) {
        painter.drawEllipse(centredSquare(centre, ring * disc.width() / 4));
    }
    painter.setPen(QPen(withOpacity(WiFiRadarTheme::radarGreen(), 0.12), 1));
    painter.drawLine(QPointF(disc.left(), centre.y()), QPointF(disc.right(), centre.y()));
    painter.drawLine(QPointF(centre.x(), disc.top()), QPointF(centre.x(), disc.bottom()));
}

// The wedge's straight leading edge is brightest; the gradient fades across
// the disc behind it.
void paintSweep(QPainter& painter, const QRectF& disc, double rotationDegrees, const QColor& tint) {
    const double radius = disc.width() / 2;
    painter.save();
    painter.setTransform(sweepTransform(disc, rotationDegrees), true);
    QLinearGradient fade(QPointF(radius, 0), QPointF(-radius, 0));
    fade.setColorAt(0, withOpacity(tint, RadarSweepShape::trailingOpacity));
    fade.setColorAt(1, withOpacity(tint, RadarSweepShape::leadingOpacity));
    painter.setCompositionMode(QPainter::CompositionMode_Screen);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fade);
    painter.drawPath(sweepPath(disc));
    painter.restore();
}

void paintRing(QPainter& painter, const QRectF& disc, const QColor& tint) {
    painter.setPen(QPen(withOpacity(tint, 0.9), 6));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(disc);
}

QRect sweepBounds(const QRectF& disc, double rotationDegrees) {
    const QRectF wedge =
        sweepTransform(disc, rotationDegrees).map(sweepPath(disc)).boundingRect() & disc;
    return wedge.toAlignedRect().adjusted(-antialiasingMargin, -antialiasingMargin,
                                          antialiasingMargin, antialiasingMargin);
}

} // namespace RadarDiscLayers
