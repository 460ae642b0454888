#include "UI/Popover/LineLimitedLabel.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

namespace {

// Every line `text` takes at `width`, as text.
QStringList wrappedLines(const QString& text, const QFont& font, double width) {
    QString prepared = text;
    prepared.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(prepared, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines.append(prepared.mid(line.textStart(), line.textLength()));
    }
    layout.endLayout();
    return lines;
}

QString withoutTrailingSeparators(QString line) {
    while (!line.isEmpty() && (line.back().isSpace() || line.back() == QChar::LineSeparator)) {
        line.chop(1);
    }
    return line;
}

// `text` on one line of `width` with an ellipsis at its end: the text goes on
// beyond the last line shown.
QString cutLine(const QString& text, const QFontMetricsF& metrics, double width) {
    const QString ellipsis(QChar(0x2026));
    const QString elided = metrics.elidedText(text, Qt::ElideRight, width);
    if (elided.endsWith(ellipsis)) {
        return elided;
    }
    QString shown = withoutTrailingSeparators(elided);
    while (!shown.isEmpty() && metrics.horizontalAdvance(shown + ellipsis) > width) {
        shown.chop(1);
    }
    return withoutTrailingSeparators(shown) + ellipsis;
}

} // namespace

LineLimitedLabel::LineLimitedLabel(const QString& text, const QFont& font, const QColor& color,
                                   int maximumLines, QWidget* parent)
    : QWidget(parent), text_(text), font_(font), color_(color),
      maximumLines_(std::max(1, maximumLines)) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setAccessibleName(text_);
}

void LineLimitedLabel::setText(const QString& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    setAccessibleName(text_);
    updateGeometry();
    update();
}

QStringList LineLimitedLabel::shownLines(int width) const {
    const double lineWidth = std::max(1, width);
    QStringList lines = wrappedLines(text_, font_, lineWidth);
    if (lines.size() <= maximumLines_) {
        for (QString& line : lines) {
            line = withoutTrailingSeparators(line);
        }
        return lines;
    }
    // The last line shown takes the rest of the text, cut to fit.
    QStringList rest = lines.mid(maximumLines_ - 1);
    lines = lines.mid(0, maximumLines_ - 1);
    for (QString& line : lines) {
        line = withoutTrailingSeparators(line);
    }
    QString last = rest.join(QString());
    last.replace(QChar::LineSeparator, QLatin1Char(' '));
    lines.append(cutLine(last, QFontMetricsF(font_), lineWidth));
    return lines;
}

int LineLimitedLabel::heightForWidth(int width) const {
    const QFontMetricsF metrics(font_);
    const auto count = std::max<qsizetype>(1, shownLines(width).size());
    return static_cast<int>(std::ceil(metrics.lineSpacing() * static_cast<double>(count)));
}

QSize LineLimitedLabel::sizeHint() const {
    const QFontMetricsF metrics(font_);
    const double width = metrics.horizontalAdvance(text_);
    return {static_cast<int>(std::ceil(width)), minimumSizeHint().height()};
}

QSize LineLimitedLabel::minimumSizeHint() const {
    const QFontMetricsF metrics(font_);
    return {0, static_cast<int>(std::ceil(metrics.lineSpacing()))};
}

void LineLimitedLabel::paintEvent(QPaintEvent* /*event*/) {
    const QFontMetricsF metrics(font_);
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font_);
    painter.setPen(color_);
    double y = metrics.ascent();
    for (const QString& line : shownLines(width())) {
        painter.drawText(QPointF(0, y), line);
        y += metrics.lineSpacing();
    }
}
