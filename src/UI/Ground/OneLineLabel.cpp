#include "UI/Ground/OneLineLabel.h"

#include "Platform/AppKit/AccessibleRole.h"
#include "UI/Formatters/DirectionIsolate.h"
#include "UI/Ground/MonospacedDigits.h"
#include "UI/Ground/OneLineDisplayForm.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>

OneLineLabel::OneLineLabel(const QString& text, const QFont& font, const QColor& color,
                           QWidget* parent)
    : QWidget(parent), text_(text), shownText_(OneLineDisplayForm::of(text)),
      color_(color), style_{.font = font} {
    AccessibleRole::set(*this, QAccessible::StaticText);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAccessibleName(text_);
}

void OneLineLabel::setText(const QString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    shownText_ = isComposed_ ? OneLineDisplayForm::ofComposed(text) : OneLineDisplayForm::of(text);
    setAccessibleName(text_);
    changed();
}

void OneLineLabel::setComposedText(bool composed) {
    isComposed_ = composed;
    shownText_ = composed ? OneLineDisplayForm::ofComposed(text_) : OneLineDisplayForm::of(text_);
    changed();
}

void OneLineLabel::setColor(const QColor& color) {
    color_ = color;
    update();
}

void OneLineLabel::setTextFont(const QFont& font) {
    style_.font = font;
    changed();
}

void OneLineLabel::setMinimumScale(double scale) {
    style_.minimumScale = scale;
    update();
}

void OneLineLabel::setElideMode(Qt::TextElideMode mode) {
    style_.elideMode = mode;
    update();
}

void OneLineLabel::setMonospacedDigits(bool monospaced) {
    style_.monospacedDigits = monospaced;
    changed();
}

void OneLineLabel::setHorizontalAlignment(Qt::Alignment alignment) {
    alignment_ = alignment & Qt::AlignHorizontal_Mask;
    update();
}

OneLineTextFit OneLineLabel::currentFit() const {
    return OneLineTextFit::fitting(shownText_, style_, width());
}

QSize OneLineLabel::sizeHint() const {
    const double width = OneLineTextFit::widthOf(shownText_, style_.font, style_.monospacedDigits);
    return {static_cast<int>(std::ceil(width)), minimumSizeHint().height()};
}

QSize OneLineLabel::minimumSizeHint() const {
    const QFontMetricsF metrics(style_.font);
    return {0, static_cast<int>(std::ceil(metrics.height()))};
}

void OneLineLabel::paintEvent(QPaintEvent* /*event*/) {
    const OneLineTextFit fit = currentFit();
    if (fit.text.isEmpty()) {
        return;
    }
    QFont font = style_.font;
    font.setPixelSize(fit.pixelSize);
    const QFontMetricsF metrics(font);
    const double textWidth = OneLineTextFit::widthOf(fit.text, font, style_.monospacedDigits);
    const double x = alignment_.testFlag(Qt::AlignRight) ? width() - textWidth : 0.0;
    const double baseline = (height() - metrics.height()) / 2 + metrics.ascent();

    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(color_);
    painter.setFont(font);
    if (style_.monospacedDigits) {
        MonospacedDigits::draw(painter, {x, baseline}, fit.text, font);
    } else {
        painter.drawText(QPointF(x, baseline), DirectionIsolate::firstStrong(fit.text));
    }
}

void OneLineLabel::changed() {
    updateGeometry();
    update();
}
