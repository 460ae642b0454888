#include "UI/SpeedTest/SpeedTestCardSurface.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

SpeedTestCardSurface::SpeedTestCardSurface(double cornerRadius, const QColor& fill,
                                           std::optional<QColor> border, const QMargins& padding,
                                           int spacing, QWidget* parent)
    : QWidget(parent), cornerRadius_(cornerRadius), fill_(fill), border_(std::move(border)),
      layout_(new QVBoxLayout(this)) {
    layout_->setContentsMargins(padding);
    layout_->setSpacing(spacing);
}

void SpeedTestCardSurface::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The stroke is centred on the edge, so the shape is inset half its width.
    const QRectF bounds = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    path.addRoundedRect(bounds, cornerRadius_, cornerRadius_);
    painter.fillPath(path, fill_);
    if (border_) {
        painter.strokePath(path, QPen(*border_, 1));
    }
}
