#pragma once

#include <QColor>
#include <QString>

// What the radar disc shows in its middle, and the quality tint of its outer
// ring, its symbol and its sweep.
struct RadarReadout {
    int score = 0;
    QColor tint;
    QString statusSymbolName;
    QString message;

    bool operator==(const RadarReadout&) const = default;
};
