#include "UI/Settings/SettingsLinkButton.h"

#include "UI/Ground/FocusRing.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

SettingsLinkButton::SettingsLinkButton(const QString& title, const QFont& font, QWidget* parent)
    : QAbstractButton(parent), font_(font), color_(Qt::blue), focusRing_(new FocusRing(this)) {
    setText(title);
    setAccessibleName(title);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SettingsLinkButton::setColor(const QColor& color) {
    color_ = color;
    focusRing_->setColor(color);
    update();
}

QSize SettingsLinkButton::sizeHint() const {
    const QFontMetricsF metrics(font_);
    return {static_cast<int>(std::ceil(metrics.horizontalAdvance(text()))),
            static_cast<int>(std::ceil(metrics.height()))};
}

void SettingsLinkButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font_);
    painter.setPen(isDown() ? color_.darker(130) : color_);
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
}
