#include "UI/Ground/Capsule.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

Capsule::Capsule(const QColor& fill, const QMargins& padding, QWidget* parent)
    : QWidget(parent), fill_(fill), layout_(new QHBoxLayout(this)) {
    layout_->setContentsMargins(padding);
    layout_->setSpacing(0);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Capsule::setFill(const QColor& fill) {
    fill_ = fill;
    update();
}

void Capsule::paintEvent(QPaintEvent* /*event*/) {
    const QRectF bounds = rect();
    const double radius = bounds.height() / 2;
    QPainterPath path;
    path.addRoundedRect(bounds, radius, radius);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, fill_);
}
