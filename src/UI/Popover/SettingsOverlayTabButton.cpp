#include "UI/Popover/SettingsOverlayTabButton.h"

#include "Platform/AppKit/AccessibleRole.h"
#include "Platform/Symbols/SymbolImage.h"
#include "UI/Ground/FocusRing.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/SystemFont.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

namespace {

constexpr int symbolSize = 11;
constexpr double symbolSpacing = 6;
constexpr double underlineSpacing = 7;
constexpr double underlineHeight = 2;
constexpr double sidePadding = 2;
constexpr double topPadding = 2;

} // namespace

SettingsOverlayTabButton::SettingsOverlayTabButton(SettingsOverlayTab tab, bool isSelected,
                                                   std::function<void()> action, QWidget* parent)
    : QAbstractButton(parent), tab_(tab), isSelected_(isSelected), action_(std::move(action)),
      focusRing_(new FocusRing(this)) {
    AccessibleRole::set(*this, QAccessible::PageTab);
    AccessibleRole::setSelected(*this, isSelected);
    setText(SettingsOverlayTabs::title(tab));
    setAccessibleName(text());
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (action_) {
            action_();
        }
    });
}

void SettingsOverlayTabButton::setSelected(bool selected) {
    if (selected == isSelected_) {
        return;
    }
    isSelected_ = selected;
    AccessibleRole::setSelected(*this, selected);
    updateGeometry();
    update();
}

QFont SettingsOverlayTabButton::titleFont() const {
    return SystemFont::font(12, isSelected_ ? QFont::DemiBold : QFont::Medium);
}

QSize SettingsOverlayTabButton::sizeHint() const {
    const QFontMetricsF metrics(titleFont());
    const double width =
        sidePadding * 2 + symbolSize + symbolSpacing + metrics.horizontalAdvance(text());
    const double labelHeight = std::max<double>(symbolSize, metrics.height());
    const double height = topPadding + labelHeight + underlineSpacing + underlineHeight;
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height))};
}

QRectF SettingsOverlayTabButton::labelRect() const {
    const QFontMetricsF metrics(titleFont());
    const double labelHeight = std::max<double>(symbolSize, metrics.height());
    const double labelWidth = symbolSize + symbolSpacing + metrics.horizontalAdvance(text());
    return {(width() - labelWidth) / 2, topPadding, labelWidth, labelHeight};
}

QRectF SettingsOverlayTabButton::underlineRect() const {
    const QRectF label = labelRect();
    return {label.left(), height() - underlineHeight, label.width(), underlineHeight};
}

void SettingsOverlayTabButton::paintEvent(QPaintEvent* /*event*/) {
    const QColor color = isSelected_ ? NamedColors::accent : PopoverTheme::secondaryText();
    const QFont font = titleFont();
    const QFontMetricsF metrics(font);
    const QRectF label = labelRect();
    const double labelHeight = label.height();
    const double left = label.left();

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (const auto symbol = SymbolImage::named(SettingsOverlayTabs::symbolName(tab_), symbolSize)) {
        symbol->paint(
            painter,
            QRectF(left, topPadding + (labelHeight - symbolSize) / 2, symbolSize, symbolSize),
            color);
    }
    painter.setFont(font);
    painter.setPen(color);
    const double baseline = topPadding + (labelHeight - metrics.height()) / 2 + metrics.ascent();
    painter.drawText(QPointF(left + symbolSize + symbolSpacing, baseline), text());

    if (isSelected_) {
        painter.fillRect(underlineRect(), NamedColors::accent);
    }
}
