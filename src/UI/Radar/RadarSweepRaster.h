#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QRect>

// The sweep screened onto an opaque image by a loop of our own rather than
// by QPainter. Qt splits every fill of many spans across its thread pool, and
// at 30 frames a second waking and waiting for those threads costs more than
// the wedge's few thousand pixels.
namespace RadarSweepRaster {

// Screens the wedge turned by `rotationDegrees` (clockwise) about `centre`,
// as long as `radius` (both in `image`'s pixels), onto the pixels of `image`
// inside `area`; `image` must be Format_RGB32. The fade runs from the tint at
// the trailing opacity on the side of the wedge's straight trailing edge to
// the leading opacity on the far side of the disc; edges are antialiased.
void screen(QImage& image, const QRect& area, const QPointF& centre, double radius,
            double rotationDegrees, const QColor& tint);

} // namespace RadarSweepRaster
