#include "UI/Popover/HeaderIconButton.h"

#include "UI/Ground/FocusRing.h"
#include "UI/Ground/PopoverTheme.h"

#include <QPainter>

HeaderIconButton::HeaderIconButton(const QString& symbolName, const QString& accessibilityLabel,
                                   std::function<void()> action, QWidget* parent)
    : QAbstractButton(parent), image_(SymbolImage::named(symbolName, 12)),
      action_(std::move(action)), focusRing_(new FocusRing(this)) {
    setAccessibleName(accessibilityLabel);
    setFixedSize(sizeHint());
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (action_) {
            action_();
        }
    });
}

void HeaderIconButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(PopoverTheme::capsuleSurface());
    painter.drawEllipse(QRectF(rect()));
    focusRing_->setShape(QRectF(rect()), width() / 2.0);
    if (image_) {
        image_->paint(painter, rect(), PopoverTheme::secondaryText());
    }
}
