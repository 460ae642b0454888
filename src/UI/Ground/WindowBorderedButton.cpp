#include "UI/Ground/WindowBorderedButton.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/FocusRing.h"
#include "UI/Ground/SystemFont.h"

#include <cmath>

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

// How much white is laid over the fill under the pointer and while pressed.
constexpr double hoverLightening = 0.04;
constexpr double pressLightening = 0.10;

QColor lightened(const QColor& fill, double whiteOpacity) {
    const QColor white = withOpacity(Qt::white, whiteOpacity);
    const double alpha = white.alphaF() + fill.alphaF() * (1 - white.alphaF());
    if (alpha <= 0) {
        return fill;
    }
    const auto blend = [&](double over, double under) {
        return (over * white.alphaF() + under * fill.alphaF() * (1 - white.alphaF())) / alpha;
    };
    return QColor::fromRgbF(static_cast<float>(blend(1, fill.redF())),
                            static_cast<float>(blend(1, fill.greenF())),
                            static_cast<float>(blend(1, fill.blueF())), static_cast<float>(alpha));
}

} // namespace

WindowBorderedButton::WindowBorderedButton(const QString& title, QWidget* parent)
    : QAbstractButton(parent), title_(title), titleFont_(SystemFont::font(12, QFont::DemiBold)),
      textColor_(Qt::white), fillColor_(withOpacity(Qt::white, 0.08)),
      borderColor_(withOpacity(Qt::white, 0.12)), focusRing_(new FocusRing(this)) {
    setAccessibleName(title_);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

void WindowBorderedButton::setTitle(const QString& title) {
    if (title == title_) {
        return;
    }
    title_ = title;
    setAccessibleName(title_);
    relayout();
}

void WindowBorderedButton::setTitleFont(const QFont& font) {
    titleFont_ = font;
    relayout();
}

void WindowBorderedButton::setTextColor(const QColor& color) {
    textColor_ = color;
    update();
}

void WindowBorderedButton::setFillColor(const QColor& color) {
    fillColor_ = color;
    update();
}

void WindowBorderedButton::setBorderColor(const QColor& color) {
    borderColor_ = color;
    update();
}

void WindowBorderedButton::setBorderWidth(double width) {
    borderWidth_ = std::max(0.0, width);
    update();
}

void WindowBorderedButton::setBorder(const QColor& color, double width) {
    setBorderColor(color);
    setBorderWidth(width);
}

void WindowBorderedButton::setCornerRadius(double radius) {
    cornerRadius_ = std::max(0.0, radius);
    update();
}

void WindowBorderedButton::setPadding(int horizontal, int vertical) {
    horizontalPadding_ = std::max(0, horizontal);
    verticalPadding_ = std::max(0, vertical);
    relayout();
}

void WindowBorderedButton::relayout() {
    updateGeometry();
    update();
}

QString WindowBorderedButton::displayedTitle() const {
    const int available = std::max(0, width() - 2 * horizontalPadding_);
    return QFontMetricsF(titleFont_).elidedText(title_, Qt::ElideRight, available);
}

QSize WindowBorderedButton::sizeHint() const {
    const QFontMetricsF metrics(titleFont_);
    return {static_cast<int>(std::ceil(metrics.horizontalAdvance(title_))) + 2 * horizontalPadding_,
            static_cast<int>(std::ceil(metrics.height())) + 2 * verticalPadding_};
}

QSize WindowBorderedButton::minimumSizeHint() const {
    return {2 * horizontalPadding_, sizeHint().height()};
}

void WindowBorderedButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double inset = borderWidth_ / 2;
    const QRectF shape = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    QPainterPath path;
    path.addRoundedRect(shape, cornerRadius_, cornerRadius_);
    focusRing_->setShape(QRectF(rect()), cornerRadius_);
    const double lightening = isDown() ? pressLightening : underMouse() ? hoverLightening : 0;
    painter.fillPath(path, lightening > 0 ? lightened(fillColor_, lightening) : fillColor_);
    if (borderWidth_ > 0) {
        painter.strokePath(path, QPen(borderColor_, borderWidth_));
    }
    painter.setFont(titleFont_);
    painter.setPen(textColor_);
    const QRectF textArea = QRectF(rect()).adjusted(horizontalPadding_, 0, -horizontalPadding_, 0);
    painter.drawText(textArea, Qt::AlignCenter | Qt::TextSingleLine, displayedTitle());
}

// Qt delivers a double-click as press, release, double-click, release. The
// double-click would press the button a second time (the default handler
// treats it as a press); it and its release are swallowed instead. Only the
// release that belongs to the double-click is swallowed: a new press, or
// hiding, forgets a double-click whose release went elsewhere.
void WindowBorderedButton::mousePressEvent(QMouseEvent* event) {
    isSwallowingDoubleClick_ = false;
    QAbstractButton::mousePressEvent(event);
}

void WindowBorderedButton::mouseDoubleClickEvent(QMouseEvent* event) {
    isSwallowingDoubleClick_ = event->button() == Qt::LeftButton;
    event->accept();
}

void WindowBorderedButton::mouseReleaseEvent(QMouseEvent* event) {
    if (isSwallowingDoubleClick_ && event->button() == Qt::LeftButton) {
        isSwallowingDoubleClick_ = false;
        event->accept();
        return;
    }
    QAbstractButton::mouseReleaseEvent(event);
}

void WindowBorderedButton::enterEvent(QEnterEvent* event) {
    QAbstractButton::enterEvent(event);
    update();
}

void WindowBorderedButton::leaveEvent(QEvent* event) {
    QAbstractButton::leaveEvent(event);
    update();
}

void WindowBorderedButton::hideEvent(QHideEvent* event) {
    isSwallowingDoubleClick_ = false;
    QAbstractButton::hideEvent(event);
}
