#include "UI/Popover/InlineMessageRow.h"

#include "UI/Ground/Dot.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/WrappingLabel.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr int dotDiameter = 6;
constexpr int dotTopPadding = 4;
constexpr double cornerRadius = 10;

} // namespace

InlineMessageRow::InlineMessageRow(const QString& text, const QColor& accentColor, QWidget* parent)
    : QWidget(parent), dot_(new Dot(dotDiameter, accentColor)),
      text_(new WrappingLabel(text, PopoverTheme::microFont(), PopoverTheme::secondaryText())) {
    auto* dotColumn = new QVBoxLayout;
    dotColumn->setContentsMargins(0, dotTopPadding, 0, 0);
    dotColumn->addWidget(dot_);
    dotColumn->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(8);
    layout->addLayout(dotColumn);
    // The text takes the rest of the row, which leaves it leading-aligned.
    layout->addWidget(text_, 1);
}

QString InlineMessageRow::text() const {
    return text_->text();
}
QColor InlineMessageRow::accentColor() const {
    return dot_->color();
}

void InlineMessageRow::setMessage(const QString& text, const QColor& accentColor) {
    text_->setText(text);
    dot_->setColor(accentColor);
}

void InlineMessageRow::paintEvent(QPaintEvent* /*event*/) {
    QPainterPath background;
    background.addRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(background, PopoverTheme::rowSurface());
}
