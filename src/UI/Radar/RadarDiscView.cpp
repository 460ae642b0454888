#include "UI/Radar/RadarDiscView.h"

#include "Platform/AppKit/AccessibleRole.h"
#include "UI/Radar/RadarDiscLayers.h"
#include "UI/Radar/RadarReadoutText.h"
#include "UI/Radar/RadarSweepRaster.h"
#include "UI/Radar/RadarSweepShape.h"
#include "UI/Radar/WiFiRadarTheme.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>

namespace {

// Glyphs may reach a pixel or two past their line boxes.
constexpr int readoutMargin = 2;

QImage transparentLayer(const QSize& size, qreal devicePixelRatio) {
    QImage layer(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(devicePixelRatio);
    layer.fill(Qt::transparent);
    return layer;
}

// Copies the rectangles of `region` from `layer`, pixel for pixel.
void drawLayer(QPainter& painter, const QImage& layer, const QRegion& region) {
    const qreal ratio = layer.devicePixelRatio();
    for (const QRect& rect : region) {
        painter.drawImage(QRectF(rect), layer,
                          QRectF(QPointF(rect.topLeft()) * ratio, QSizeF(rect.size()) * ratio));
    }
}

// The device pixels per point of whatever `painter` paints on: the window's
// backing store, or an image the view is rendered into.
qreal targetDevicePixelRatio(const QPainter& painter) {
    return painter.paintEngine()->paintDevice()->devicePixelRatio();
}

} // namespace

RadarDiscView::RadarDiscView(MonotonicClock clock, QWidget* parent)
    : QWidget(parent), clock_(std::move(clock)), sweepStart_(clock_()),
      shownRotationDegrees_(RadarSweepShape::rotationDegrees(0)),
      readout_{0, WiFiRadarTheme::radarGreen(), {}, {}} {
    // Every paint fills its whole region from the layers, so nothing under
    // the disc is repainted with it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    AccessibleRole::set(*this, QAccessible::StaticText);
    updateAccessibleName();
    sweepTimer_.setInterval(frameInterval);
    connect(&sweepTimer_, &QTimer::timeout, this, &RadarDiscView::showNextFrame);
}

void RadarDiscView::setReadout(int score, const QColor& tint, const QString& statusSymbolName,
                               const QString& message) {
    RadarReadout readout{score, tint, statusSymbolName, message};
    if (readout == readout_) {
        return;
    }
    // The tint colours the ring and the sweep across the whole disc; the
    // other values stay inside the readout's band.
    const bool tintChanged = readout.tint != readout_.tint;
    readout_ = std::move(readout);
    updateAccessibleName();
    updateWithNextFrame(tintChanged ? QRegion(rect()) : QRegion(readoutBounds()));
}

// The readout is drawn, not written: a screen reader reads it from the name.
void RadarDiscView::updateAccessibleName() {
    QString name = QStringLiteral("Score ") + QString::number(readout_.score);
    if (!readout_.message.isEmpty()) {
        name += QStringLiteral(", ") + readout_.message;
    }
    setAccessibleName(name);
}

void RadarDiscView::freezeSweep(double elapsedSeconds) {
    frozenElapsedSeconds_ = elapsedSeconds;
    sweepTimer_.stop();
    shownRotationDegrees_ = sweepRotationDegrees();
    update();
}

double RadarDiscView::sweepRotationDegrees() const {
    if (frozenElapsedSeconds_) {
        return RadarSweepShape::rotationDegrees(*frozenElapsedSeconds_);
    }
    const std::chrono::duration<double> elapsed = clock_() - sweepStart_;
    return RadarSweepShape::rotationDegrees(elapsed.count());
}

void RadarDiscView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    sweepStart_ = clock_();
    shownRotationDegrees_ = sweepRotationDegrees();
    pendingRegion_ = QRegion();
    update();
    if (!frozenElapsedSeconds_) {
        sweepTimer_.start();
    }
}

void RadarDiscView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    sweepTimer_.stop();
    frame_ = QImage();
}

// One frame: the sweep where it was and where it is now, with whatever the
// readout changed since the last frame, in one repaint.
void RadarDiscView::showNextFrame() {
    QRegion region = std::exchange(pendingRegion_, QRegion());
    const double rotation = sweepRotationDegrees();
    if (rotation != shownRotationDegrees_) {
        const QRectF disc = discRect();
        region += RadarDiscLayers::sweepBounds(disc, shownRotationDegrees_);
        region += RadarDiscLayers::sweepBounds(disc, rotation);
        shownRotationDegrees_ = rotation;
    }
    // One rectangle keeps the painter's clip simple, and its copies of the
    // layers on their fast path.
    if (!region.isEmpty()) {
        update(region.boundingRect());
    }
}

// While the sweep runs, changes wait for its next frame; otherwise they are
// repainted at once.
void RadarDiscView::updateWithNextFrame(const QRegion& region) {
    if (sweepTimer_.isActive()) {
        pendingRegion_ += region;
    } else {
        update(region);
    }
}

// The readout's band across the whole view: a large score may pass the
// edges of a small disc.
QRect RadarDiscView::readoutBounds() const {
    const QRectF band = RadarReadoutText::band(discRect());
    return QRect(0, static_cast<int>(std::floor(band.top())) - readoutMargin, width(),
                 static_cast<int>(std::ceil(band.height())) + 2 * readoutMargin + 1);
}

QRectF RadarDiscView::discRect() const {
    const double side = std::max(1.0, std::min(width(), height()) - 2.0 * ringOverhang);
    const QPointF centre = QRectF(rect()).center();
    return {centre.x() - side / 2, centre.y() - side / 2, side, side};
}

void RadarDiscView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    refreshLayers(targetDevicePixelRatio(painter));
    const QRect area = event->region().boundingRect();
    composeFrame(area);
    drawLayer(painter, frame_, QRegion(area));
}

// The disc's pixels in `area`: the layer beneath, the sweep screened over it
// pixel by pixel, then the ring and the readout. The frame is opaque, so the
// window copies it without blending, and it is kept between frames, so that
// no frame allocates.
void RadarDiscView::composeFrame(const QRect& area) {
    const qreal ratio = underLayer_.devicePixelRatio();
    if (frame_.size() != underLayer_.size() || frame_.devicePixelRatio() != ratio) {
        frame_ = QImage(underLayer_.size(), QImage::Format_RGB32);
        frame_.setDevicePixelRatio(ratio);
    }
    QPainter painter(&frame_);
    painter.setClipRect(area);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    drawLayer(painter, underLayer_, QRegion(area));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);

    // The raster engine draws at once, so the loop may write the frame's
    // pixels between the painter's calls.
    const QRectF disc = discRect();
    const QRect pixels = QRect(area.topLeft() * ratio, area.size() * ratio);
    RadarSweepRaster::screen(frame_, pixels, disc.center() * ratio, disc.width() / 2 * ratio,
                             shownRotationDegrees_, readout_.tint);

    drawLayer(painter, overLayer_, QRegion(area));
    // Text blends differently over transparency, so the readout is not kept
    // as pixels but drawn afresh over what lies beneath it.
    if (area.intersects(readoutBounds())) {
        if (!readoutText_ || !readoutText_->isFor(readout_, disc)) {
            readoutText_.emplace(readout_, disc);
        }
        readoutText_->paint(painter);
    }
}

void RadarDiscView::refreshLayers(qreal devicePixelRatio) {
    const QWidget* host = window();
    const LayerKey key{size(), devicePixelRatio, mapTo(host, QPoint(0, 0)), host->size(),
                       readout_.tint};
    // The layer beneath does not depend on the tint.
    LayerKey underKey = key;
    underKey.tint = QColor();
    if (underLayerKey_ != underKey) {
        underLayer_ = drawUnderLayer(devicePixelRatio);
        underLayerKey_ = underKey;
    }
    LayerKey overKey = key;
    overKey.offsetInWindow = {};
    overKey.windowSize = {};
    if (overLayerKey_ != overKey) {
        overLayer_ = drawOverLayer(devicePixelRatio);
        overLayerKey_ = overKey;
    }
}

// Opaque, as everything beneath the disc is: an opaque image is copied onto
// the window without blending each pixel.
QImage RadarDiscView::drawUnderLayer(qreal devicePixelRatio) const {
    QImage layer(size() * devicePixelRatio, QImage::Format_RGB32);
    layer.setDevicePixelRatio(devicePixelRatio);
    layer.fill(Qt::black);
    QPainter painter(&layer);
    paintBeneath(painter);
    const QRectF disc = discRect();
    painter.setRenderHint(QPainter::Antialiasing);
    RadarDiscLayers::clipToDisc(painter, disc);
    RadarDiscLayers::paintSurface(painter, disc);
    return layer;
}

QImage RadarDiscView::drawOverLayer(qreal devicePixelRatio) const {
    QImage layer = transparentLayer(size(), devicePixelRatio);
    QPainter painter(&layer);
    const QRectF disc = discRect();
    painter.setRenderHint(QPainter::Antialiasing);
    RadarDiscLayers::paintRing(painter, disc, readout_.tint);
    return layer;
}

// What the window draws under the disc: each ancestor alone, from the window
// down, over the disc's rectangle.
void RadarDiscView::paintBeneath(QPainter& painter) const {
    std::vector<QWidget*> ancestors;
    for (QWidget* ancestor = parentWidget(); ancestor != nullptr;
         ancestor = ancestor->isWindow() ? nullptr : ancestor->parentWidget()) {
        ancestors.push_back(ancestor);
    }
    QWidget::RenderFlags flags = QWidget::DrawWindowBackground;
    for (auto ancestor = ancestors.rbegin(); ancestor != ancestors.rend(); ++ancestor) {
        const QRect area(mapTo(*ancestor, QPoint(0, 0)), size());
        (*ancestor)->render(&painter, QPoint(0, 0), QRegion(area), flags);
        flags = {};
    }
}
