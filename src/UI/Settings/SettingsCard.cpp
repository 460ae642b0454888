#include "UI/Settings/SettingsCard.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

SettingsCard::SettingsCard(const QColor& fill, const QColor& stroke, QWidget* parent)
    : QWidget(parent), fill_(fill), stroke_(stroke), layout_(new QVBoxLayout(this)) {
    layout_->setContentsMargins(padding, padding, padding, padding);
    layout_->setSpacing(spacing);
}

void SettingsCard::setColors(const QColor& fill, const QColor& stroke) {
    fill_ = fill;
    stroke_ = stroke;
    update();
}

void SettingsCard::paintEvent(QPaintEvent* /*event*/) {
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
    // The outline is centred on a path half a point inside the edge, so that
    // all of its width shows.
    QPainterPath outline;
    outline.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius - 0.5,
                           cornerRadius - 0.5);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(shape, fill_);
    painter.strokePath(outline, QPen(stroke_, 1));
}
