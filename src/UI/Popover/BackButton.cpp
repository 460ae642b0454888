#include "UI/Popover/BackButton.h"

#include "Platform/Symbols/SymbolImage.h"
#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/FocusRing.h"
#include "UI/Ground/PopoverTheme.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

namespace {

const QString title = QStringLiteral("Back");
constexpr double iconSpacing = 2;

// The chevron is drawn at the label's own font size.
int symbolSize() {
    return PopoverTheme::microFont().pixelSize();
}

} // namespace

BackButton::BackButton(const QString& accessibilityLabel, std::function<void()> action,
                       QWidget* parent)
    : QAbstractButton(parent), action_(std::move(action)), focusRing_(new FocusRing(this)) {
    setText(title);
    setAccessibleName(accessibilityLabel);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (action_) {
            action_();
        }
    });
}

QSize BackButton::sizeHint() const {
    const QFontMetricsF metrics(PopoverTheme::microFont());
    const double width = symbolSize() + iconSpacing + metrics.horizontalAdvance(title);
    const double height = std::max<double>(symbolSize(), metrics.height());
    return {static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height))};
}

void BackButton::paintEvent(QPaintEvent* /*event*/) {
    const QColor color =
        isDown() ? withOpacity(PopoverTheme::secondaryText(), 0.6) : PopoverTheme::secondaryText();
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (const auto chevron = SymbolImage::named(QStringLiteral("chevron.left"), symbolSize())) {
        chevron->paint(painter, chevronRect(), color);
    }
    const QFontMetricsF metrics(PopoverTheme::microFont());
    const double baseline = (height() - metrics.height()) / 2 + metrics.ascent();
    painter.setFont(PopoverTheme::microFont());
    painter.setPen(color);
    painter.drawText(QPointF(symbolSize() + iconSpacing, baseline), title);
}

QRectF BackButton::chevronRect() const {
    const double size = symbolSize();
    return {0, (height() - size) / 2.0, size, size};
}
