#include "UI/Ground/ProgressCapsule.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int preferredWidth = 200;

void fillCapsule(QPainter& painter, const QRectF& bounds, const QColor& color) {
    const double radius = bounds.height() / 2;
    QPainterPath path;
    path.addRoundedRect(bounds, radius, radius);
    painter.fillPath(path, color);
}

} // namespace

ProgressCapsule::ProgressCapsule(const QColor& track, const QColor& fill, QWidget* parent)
    : QWidget(parent), track_(track), fill_(fill) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ProgressCapsule::setFraction(double fraction) {
    const double held = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
    if (held == fraction_) {
        return;
    }
    fraction_ = held;
    update();
}

void ProgressCapsule::setColors(const QColor& track, const QColor& fill) {
    if (track == track_ && fill == fill_) {
        return;
    }
    track_ = track;
    fill_ = fill;
    update();
}

void ProgressCapsule::setBarHeight(int height) {
    const int held = std::max(1, height);
    if (held == barHeight_) {
        return;
    }
    barHeight_ = held;
    updateGeometry();
    update();
}

double ProgressCapsule::fillWidth(double width) const {
    if (fraction_ <= 0 || width <= 0) {
        return 0;
    }
    return std::min(width, std::max(fraction_ * width, static_cast<double>(barHeight_)));
}

QSize ProgressCapsule::sizeHint() const {
    return {preferredWidth, barHeight_};
}

QSize ProgressCapsule::minimumSizeHint() const {
    return {barHeight_, barHeight_};
}

void ProgressCapsule::paintEvent(QPaintEvent* /*event*/) {
    const double height = std::min<double>(barHeight_, this->height());
    const QRectF track(0, (this->height() - height) / 2, width(), height);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    fillCapsule(painter, track, track_);
    const double fill = fillWidth(track.width());
    if (fill > 0) {
        fillCapsule(painter, QRectF(track.topLeft(), QSizeF(fill, height)), fill_);
    }
}
