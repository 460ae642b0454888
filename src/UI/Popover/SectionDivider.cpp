#include "UI/Popover/SectionDivider.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"

#include <QPainter>

SectionDivider::SectionDivider(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(1);
}

void SectionDivider::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), withOpacity(NamedColors::white, 0.14));
}
