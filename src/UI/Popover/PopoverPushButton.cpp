#include "UI/Popover/PopoverPushButton.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/FocusRing.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/Spinner.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int spinnerSize = 14;
constexpr double cornerRadius = 5;
constexpr int borderedHeight = 20;

} // namespace

PopoverPushButton::PopoverPushButton(const QString& title, Style style, const QFont& font,
                                     std::function<void()> action, QWidget* parent)
    : QAbstractButton(parent), style_(style), font_(font), action_(std::move(action)),
      spinner_(new Spinner(spinnerSize, PopoverTheme::secondaryText(), this)),
      focusRing_(new FocusRing(this)) {
    setText(title);
    setAccessibleName(title);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    spinner_->hide();
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (action_ && !busy_) {
            action_();
        }
    });
}

void PopoverPushButton::setBusy(bool busy) {
    if (busy == busy_) {
        return;
    }
    busy_ = busy;
    spinner_->setVisible(busy);
    updateGeometry();
    update();
}

QMargins PopoverPushButton::padding() const {
    switch (style_) {
    case Style::plain:
    case Style::link:
        return {};
    case Style::bordered:
    case Style::borderedProminent:
        break;
    }
    return {8, 2, 8, 2};
}

QSize PopoverPushButton::contentSize() const {
    if (busy_) {
        return {spinnerSize, spinnerSize};
    }
    const QFontMetricsF metrics(font_);
    return {static_cast<int>(std::ceil(metrics.horizontalAdvance(text()))),
            static_cast<int>(std::ceil(metrics.height()))};
}

QSize PopoverPushButton::sizeHint() const {
    const QSize size = contentSize().grownBy(padding());
    const bool isBordered = style_ == Style::bordered || style_ == Style::borderedProminent;
    return {size.width(), isBordered ? std::max(size.height(), borderedHeight) : size.height()};
}

void PopoverPushButton::resizeEvent(QResizeEvent* event) {
    QAbstractButton::resizeEvent(event);
    spinner_->setGeometry(
        QRect(QPoint(0, 0), QSize(spinnerSize, spinnerSize))
            .translated((width() - spinnerSize) / 2, (height() - spinnerSize) / 2));
}

void PopoverPushButton::paintEvent(QPaintEvent* /*event*/) {
    focusRing_->setShape(QRectF(rect()), cornerRadius);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool dimmed = isDown() || !isEnabled();
    QColor textColor = PopoverTheme::primaryText();
    if (style_ == Style::plain || style_ == Style::link) {
        textColor = NamedColors::accent;
    } else {
        QPainterPath background;
        background.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius,
                                  cornerRadius);
        const QColor fill = style_ == Style::borderedProminent
                                ? NamedColors::accent
                                : withOpacity(NamedColors::white, 0.14);
        painter.fillPath(background, dimmed ? withOpacity(fill, 0.6) : fill);
        painter.setPen(QPen(withOpacity(NamedColors::white, 0.08), 1));
        painter.drawPath(background);
        textColor =
            style_ == Style::borderedProminent ? NamedColors::white : PopoverTheme::primaryText();
    }
    if (busy_) {
        return;
    }
    if (dimmed) {
        textColor = withOpacity(textColor, 0.6);
    }
    const QFontMetricsF metrics(font_);
    const double baseline = (height() - metrics.height()) / 2 + metrics.ascent();
    const double x = (width() - metrics.horizontalAdvance(text())) / 2;
    painter.setFont(font_);
    painter.setPen(textColor);
    painter.drawText(QPointF(x, baseline), text());
}
