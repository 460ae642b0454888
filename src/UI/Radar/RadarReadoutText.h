#pragma once

#include "UI/Radar/RadarReadout.h"

#include <vector>

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QStaticText>
#include <QString>

class QPainter;

// The middle of the radar disc: the status symbol in the tint, the score and
// the quality message, one above the other in a band centred on the disc.
// The symbol and the message are shaped once, for one readout on one disc,
// and drawn as often as the sweep passes beneath them: shaping them afresh
// for each of 30 frames a second cost more than drawing them. Everything is
// drawn pixel for pixel as QPainter::drawText draws it.
class RadarReadoutText {
public:
    RadarReadoutText(const RadarReadout& readout, const QRectF& disc);

    // The band across `disc` that the three lines take.
    static QRectF band(const QRectF& disc);

    bool isFor(const RadarReadout& readout, const QRectF& disc) const {
        return readout == readout_ && disc == disc_;
    }
    void paint(QPainter& painter) const;

private:
    struct Line {
        QStaticText text;
        QFont font;
        QColor color;
        QPointF topLeft;
    };

    void addCentred(const QString& text, const QFont& font, const QColor& color,
                    const QRectF& rect);

    RadarReadout readout_;
    QRectF disc_;
    // The symbol and the message.
    std::vector<Line> lines_;
    QString score_;
    QPointF scoreBaselineStart_;
};
