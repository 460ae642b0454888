#include "UI/Ground/SymbolButton.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/FocusRing.h"

#include <algorithm>

#include <QPainter>

SymbolButton::SymbolButton(const QString& symbolName, int pixelSize, const QColor& color,
                           const QString& accessibleLabel, QWidget* parent)
    : QAbstractButton(parent), pixelSize_(pixelSize), color_(color),
      image_(SymbolImage::named(symbolName, pixelSize)), focusRing_(new FocusRing(this)) {
    setAccessibleName(accessibleLabel);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

void SymbolButton::paintEvent(QPaintEvent* /*event*/) {
    focusRing_->setShape(QRectF(rect()), std::min(width(), height()) / 2.0);
    if (!image_) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    image_->paint(painter, rect(), isDown() ? withOpacity(color_, 0.6) : color_);
}
