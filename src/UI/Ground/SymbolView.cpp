#include "UI/Ground/SymbolView.h"

#include <QPainter>

SymbolView::SymbolView(const QString& symbolName, int pixelSize, const QColor& color,
                       QWidget* parent)
    : QWidget(parent), symbolName_(symbolName), pixelSize_(pixelSize), color_(color),
      image_(SymbolImage::named(symbolName, pixelSize)) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SymbolView::setColor(const QColor& color) {
    color_ = color;
    update();
}

void SymbolView::paintEvent(QPaintEvent* /*event*/) {
    if (!image_) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    image_->paint(painter, rect(), color_);
}
