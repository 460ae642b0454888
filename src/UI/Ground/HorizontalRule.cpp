#include "UI/Ground/HorizontalRule.h"

#include <QPainter>

HorizontalRule::HorizontalRule(const QColor& color, QWidget* parent)
    : QWidget(parent), color_(color) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(1);
}

void HorizontalRule::paintEvent(QPaintEvent* /*event*/) {
    QPainter(this).fillRect(rect(), color_);
}
