#include "UI/Settings/SettingsTabButton.h"

#include "Platform/AppKit/AccessibleRole.h"
#include "UI/Ground/FocusRing.h"
#include "UI/Ground/SystemFont.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int horizontalPadding = 10;
constexpr int verticalPadding = 7;
constexpr int symbolSize = 12;
constexpr int symbolTitleSpacing = 8;
constexpr double cornerRadius = 8;

} // namespace

SettingsTabButton::SettingsTabButton(const QString& title, const QString& systemImageName,
                                     bool isSelected, std::function<void()> action, QWidget* parent)
    : QAbstractButton(parent), systemImageName_(systemImageName), isSelected_(isSelected),
      action_(std::move(action)), symbol_(SymbolImage::named(systemImageName, symbolSize)),
      primary_(Qt::black), accent_(Qt::blue), selectedFill_(Qt::transparent),
      focusRing_(new FocusRing(this)) {
    AccessibleRole::set(*this, QAccessible::PageTab);
    AccessibleRole::setSelected(*this, isSelected);
    setText(title);
    setAccessibleName(title);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (action_) {
            action_();
        }
    });
}

void SettingsTabButton::setSelected(bool selected) {
    if (selected == isSelected_) {
        return;
    }
    isSelected_ = selected;
    AccessibleRole::setSelected(*this, selected);
    updateGeometry();
    update();
}

void SettingsTabButton::setColors(const QColor& primary, const QColor& accent,
                                  const QColor& selectedFill) {
    primary_ = primary;
    accent_ = accent;
    selectedFill_ = selectedFill;
    focusRing_->setColor(accent);
    update();
}

QColor SettingsTabButton::foregroundColor() const {
    return isSelected_ ? accent_ : primary_;
}

QColor SettingsTabButton::backgroundColor() const {
    return isSelected_ ? selectedFill_ : QColor(Qt::transparent);
}

QFont SettingsTabButton::titleFont() const {
    return SystemFont::font(13, isSelected_ ? QFont::DemiBold : QFont::Medium);
}

QSize SettingsTabButton::sizeHint() const {
    const QFontMetricsF metrics(titleFont());
    const double contentHeight = std::max<double>(symbolSize, metrics.height());
    const double width =
        2 * horizontalPadding + symbolSize + symbolTitleSpacing + metrics.horizontalAdvance(text());
    return {static_cast<int>(std::ceil(width)),
            static_cast<int>(std::ceil(contentHeight + 2 * verticalPadding))};
}

QSize SettingsTabButton::minimumSizeHint() const {
    return {2 * horizontalPadding + symbolSize, sizeHint().height()};
}

void SettingsTabButton::paintEvent(QPaintEvent* /*event*/) {
    focusRing_->setShape(QRectF(rect()), cornerRadius);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isSelected_) {
        QPainterPath background;
        background.addRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
        painter.fillPath(background, selectedFill_);
    }

    const QColor foreground = foregroundColor();
    const QRectF symbolRect(horizontalPadding, (height() - symbolSize) / 2.0, symbolSize,
                            symbolSize);
    if (symbol_) {
        symbol_->paint(painter, symbolRect, foreground);
    }
    const double titleLeft = symbolRect.right() + symbolTitleSpacing;
    const QRectF titleRect(titleLeft, 0, width() - horizontalPadding - titleLeft, height());
    const QFont font = titleFont();
    painter.setFont(font);
    painter.setPen(foreground);
    const QString shown =
        QFontMetricsF(font).elidedText(text(), Qt::ElideRight, std::max(0.0, titleRect.width()));
    painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}
