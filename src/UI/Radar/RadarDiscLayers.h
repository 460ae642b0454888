#pragma once

#include <QColor>
#include <QRect>
#include <QRectF>

class QPainter;

// The radar disc's layers, back to front, each painted about the disc's
// rectangle: the surface (a dark radial gradient, four rings and a
// cross-hair) and the sweep, both clipped to the disc, then the outer ring in
// the quality tint; `RadarReadoutText` draws the middle over them.
namespace RadarDiscLayers {

// Clips `painter` to the disc, as the surface and the sweep are.
void clipToDisc(QPainter& painter, const QRectF& disc);

void paintSurface(QPainter& painter, const QRectF& disc);
// The wedge turned by `rotationDegrees`, screened over what lies beneath, as
// vector drawing. The view's frames use `RadarSweepRaster`, which draws the
// same pixels without Qt's thread pool.
void paintSweep(QPainter& painter, const QRectF& disc, double rotationDegrees, const QColor& tint);
void paintRing(QPainter& painter, const QRectF& disc, const QColor& tint);

// The whole pixels the sweep turned by `rotationDegrees` may touch, its
// antialiased edges included.
QRect sweepBounds(const QRectF& disc, double rotationDegrees);

} // namespace RadarDiscLayers
