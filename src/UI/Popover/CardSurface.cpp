#include "UI/Popover/CardSurface.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr double cornerRadius = 9;
constexpr int horizontalPadding = 10;

} // namespace

CardSurface::CardSurface(int verticalPadding, QWidget* parent)
    : CardSurface(verticalPadding, withOpacity(NamedColors::white, 0.06), parent) {}

CardSurface::CardSurface(int verticalPadding, const QColor& fill, QWidget* parent)
    : QWidget(parent), fill_(fill), layout_(new QVBoxLayout(this)) {
    layout_->setContentsMargins(horizontalPadding, verticalPadding, horizontalPadding,
                                verticalPadding);
    layout_->setSpacing(6);
}

void CardSurface::paintEvent(QPaintEvent* /*event*/) {
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, fill_);
}
