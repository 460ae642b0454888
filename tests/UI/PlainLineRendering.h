#pragma once

#include "UI/Ground/OneLineLabel.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

// Compares what a one-line label draws, pixel by pixel, with a line drawn by
// hand as plain text: markup, control characters and direction are then
// judged by what is seen, not by the label's own account of it.
namespace PlainLineRendering {

// What `widget` paints itself, on a transparent ground.
inline QImage drawn(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// `text` drawn plainly, left to right, in `label`'s font at `pixelSize` and
// colour, centred on the font's height, at the edge `alignment` names.
inline QImage plainLine(const OneLineLabel& label, const QString& text, int pixelSize,
                        Qt::Alignment alignment = Qt::AlignLeft) {
    QImage image(label.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QFont font = label.textFont();
    font.setPixelSize(pixelSize);
    const QFontMetricsF metrics(font);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setLayoutDirection(Qt::LeftToRight);
    painter.setPen(label.color());
    painter.setFont(font);
    const double x =
        alignment.testFlag(Qt::AlignRight) ? label.width() - metrics.horizontalAdvance(text) : 0.0;
    painter.drawText(QPointF(x, (label.height() - metrics.height()) / 2 + metrics.ascent()), text);
    return image;
}

// Whether `label` draws exactly `text` at its current fit's size.
inline bool drawsPlainly(OneLineLabel& label, const QString& text,
                         Qt::Alignment alignment = Qt::AlignLeft) {
    return drawn(label) == plainLine(label, text, label.currentFit().pixelSize, alignment);
}

} // namespace PlainLineRendering
