#include "UI/Ground/MonospacedDigits.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QPainter>

namespace {

// A stretch of text that is either all digits or holds no digit.
struct Run {
    QStringView text;
    bool isDigits;
};

template <typename Visit> void forEachRun(const QString& text, Visit&& visit) {
    qsizetype start = 0;
    while (start < text.size()) {
        const bool isDigits = text.at(start).isDigit();
        qsizetype end = start + 1;
        while (end < text.size() && text.at(end).isDigit() == isDigits) {
            ++end;
        }
        visit(Run{QStringView(text).sliced(start, end - start), isDigits});
        start = end;
    }
}

double cellWidth(QChar digit, double digitAdvance, const QFontMetricsF& metrics) {
    return std::max(digitAdvance, metrics.horizontalAdvance(digit));
}

} // namespace

namespace MonospacedDigits {

double digitAdvance(const QFont& font) {
    const QFontMetricsF metrics(font);
    double widest = 0;
    for (char16_t digit = u'0'; digit <= u'9'; ++digit) {
        widest = std::max(widest, metrics.horizontalAdvance(QChar(digit)));
    }
    return widest;
}

double width(const QString& text, const QFont& font) {
    const QFontMetricsF metrics(font);
    const double advance = digitAdvance(font);
    double total = 0;
    forEachRun(text, [&](const Run& run) {
        if (!run.isDigits) {
            total += metrics.horizontalAdvance(run.text.toString());
            return;
        }
        for (const QChar digit : run.text) {
            total += cellWidth(digit, advance, metrics);
        }
    });
    return total;
}

void draw(QPainter& painter, const QPointF& baselineStart, const QString& text, const QFont& font) {
    const QFontMetricsF metrics(font);
    const double advance = digitAdvance(font);
    painter.save();
    painter.setFont(font);
    double x = baselineStart.x();
    forEachRun(text, [&](const Run& run) {
        const QString runText = run.text.toString();
        if (!run.isDigits) {
            painter.drawText(QPointF(x, baselineStart.y()), runText);
            x += metrics.horizontalAdvance(runText);
            return;
        }
        for (const QChar digit : run.text) {
            const double cell = cellWidth(digit, advance, metrics);
            const double inset = (cell - metrics.horizontalAdvance(digit)) / 2;
            painter.drawText(QPointF(x + inset, baselineStart.y()), QString(digit));
            x += cell;
        }
    });
    painter.restore();
}

} // namespace MonospacedDigits
