#include "UI/Ground/WrappingLabel.h"

#include "Platform/AppKit/AccessibleRole.h"
#include "UI/Ground/WrappedTextLayout.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

namespace {

// Wider than any popover, so that the preferred size is the text on one line.
constexpr double unboundedWidth = 100000;

} // namespace

WrappingLabel::WrappingLabel(const QString& text, const QFont& font, const QColor& color,
                             QWidget* parent)
    : QWidget(parent), text_(text), font_(font), color_(color) {
    AccessibleRole::set(*this, QAccessible::StaticText);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setAccessibleName(text_);
}

void WrappingLabel::setText(const QString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    forgetMeasurements();
    setAccessibleName(text_);
    updateGeometry();
    update();
}

void WrappingLabel::setColor(const QColor& color) {
    color_ = color;
    update();
}

void WrappingLabel::setAlignment(Qt::Alignment alignment) {
    if (alignment == alignment_) {
        return;
    }
    alignment_ = alignment;
    forgetMeasurements();
    update();
}

double WrappingLabel::layOut(QTextLayout& layout, double width) const {
    // A line feed in the text starts a new line.
    QString text = text_;
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return layOutWrappedText(layout, text, font_, width, alignment_);
}

int WrappingLabel::lineCount(int width) const {
    QTextLayout layout;
    layOut(layout, width);
    return layout.lineCount();
}

// Layouts ask again on every pass; the text is laid out only when the text,
// the alignment or the width changed.
int WrappingLabel::heightForWidth(int width) const {
    if (measuredHeight_ && measuredHeight_->first == width) {
        return measuredHeight_->second;
    }
    QTextLayout layout;
    const double height = layOut(layout, std::max(1, width));
    const int result = std::max(static_cast<int>(std::ceil(height)), minimumSizeHint().height());
    measuredHeight_ = {width, result};
    return result;
}

QSize WrappingLabel::sizeHint() const {
    if (measuredSizeHint_) {
        return *measuredSizeHint_;
    }
    QTextLayout layout;
    const double height = layOut(layout, unboundedWidth);
    const double width = layout.lineCount() > 0 ? layout.lineAt(0).naturalTextWidth() : 0;
    measuredSizeHint_ =
        QSize(static_cast<int>(std::ceil(width)),
              std::max(static_cast<int>(std::ceil(height)), minimumSizeHint().height()));
    return *measuredSizeHint_;
}

void WrappingLabel::forgetMeasurements() {
    measuredHeight_.reset();
    measuredSizeHint_.reset();
}

QSize WrappingLabel::minimumSizeHint() const {
    return {0, static_cast<int>(std::ceil(QFontMetricsF(font_).height()))};
}

void WrappingLabel::paintEvent(QPaintEvent* /*event*/) {
    QTextLayout layout;
    layOut(layout, width());
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(color_);
    layout.draw(&painter, QPointF(0, 0));
}
