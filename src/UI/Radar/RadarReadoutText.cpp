#include "UI/Radar/RadarReadoutText.h"

#include "Platform/Symbols/SymbolImage.h"
#include "UI/Ground/MonospacedDigits.h"
#include "UI/Ground/SystemFont.h"
#include "UI/Radar/WiFiRadarTheme.h"

#include <utility>

#include <QFontMetricsF>
#include <QPainter>
#include <QTransform>

namespace {

constexpr int symbolSize = 34;
constexpr double lineSpacing = 2;

const QFont& scoreFont() {
    static const QFont font = SystemFont::font(32, QFont::Bold);
    return font;
}

const QFont& messageFont() {
    static const QFont font = SystemFont::font(12, QFont::DemiBold);
    return font;
}

QStaticText shaped(const QString& text) {
    QStaticText shaped(text);
    shaped.setTextFormat(Qt::PlainText);
    return shaped;
}

} // namespace

RadarReadoutText::RadarReadoutText(const RadarReadout& readout, const QRectF& disc)
    : readout_(readout), disc_(disc) {
    double top = band(disc).top();
    if (const auto symbol = SymbolImage::named(readout.statusSymbolName, symbolSize)) {
        addCentred(symbol->ligature(), symbol->font(), readout.tint,
                   QRectF(disc.center().x() - symbolSize / 2.0, top, symbolSize, symbolSize));
    }
    top += symbolSize + lineSpacing;

    // Digits on a fixed advance, so that the score does not shift sideways as
    // it changes four times a second. Drawn as text: a digit or two are quick
    // to shape, and a static text would set its baseline a fraction apart.
    score_ = QString::number(readout.score);
    scoreBaselineStart_ = {disc.center().x() - MonospacedDigits::width(score_, scoreFont()) / 2,
                           top + QFontMetricsF(scoreFont()).ascent()};
    top += QFontMetricsF(scoreFont()).height() + lineSpacing;

    const QFontMetricsF messageMetrics(messageFont());
    addCentred(messageMetrics.elidedText(readout.message, Qt::ElideRight, disc.width()),
               messageFont(), WiFiRadarTheme::secondaryText(),
               QRectF(disc.left(), top, disc.width(), messageMetrics.height()));
}

QRectF RadarReadoutText::band(const QRectF& disc) {
    static const double height = symbolSize + lineSpacing + QFontMetricsF(scoreFont()).height() +
                                 lineSpacing + QFontMetricsF(messageFont()).height();
    return {disc.left(), disc.center().y() - height / 2, disc.width(), height};
}

// Centred as drawText's Qt::AlignCenter centres a line in a rectangle.
void RadarReadoutText::addCentred(const QString& text, const QFont& font, const QColor& color,
                                  const QRectF& rect) {
    Line line{shaped(text), font, color, {}};
    line.text.prepare(QTransform(), font);
    const QSizeF size = line.text.size();
    line.topLeft = {rect.left() + (rect.width() - size.width()) / 2,
                    rect.top() + (rect.height() - size.height()) / 2};
    lines_.push_back(std::move(line));
}

// The painter's font is set to the one each text was shaped in, or Qt would
// shape it again.
void RadarReadoutText::paint(QPainter& painter) const {
    painter.save();
    for (const Line& line : lines_) {
        painter.setFont(line.font);
        painter.setPen(line.color);
        painter.drawStaticText(line.topLeft, line.text);
    }
    painter.setPen(WiFiRadarTheme::primaryText());
    MonospacedDigits::draw(painter, scoreBaselineStart_, score_, scoreFont());
    painter.restore();
}
