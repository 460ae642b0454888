#include "UI/Ground/FocusRingOverlay.h"

#include <QPainter>
#include <QPainterPath>

FocusRingOverlay::FocusRingOverlay(const QColor& color, double ringWidth, QWidget* parent)
    : QWidget(parent), color_(color), ringWidth_(ringWidth) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void FocusRingOverlay::setShape(const QRectF& shape, double radius) {
    if (shape == shape_ && radius == radius_) {
        return;
    }
    shape_ = shape;
    radius_ = radius;
    update();
}

void FocusRingOverlay::setColor(const QColor& color) {
    color_ = color;
    update();
}

// A stroke centred half its width outside the shape covers the band from the
// shape's edge outwards.
void FocusRingOverlay::paintEvent(QPaintEvent* /*event*/) {
    const double half = ringWidth_ / 2;
    QPainterPath ring;
    ring.addRoundedRect(shape_.adjusted(-half, -half, half, half), radius_ + half, radius_ + half);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(color_, ringWidth_));
    painter.drawPath(ring);
}
