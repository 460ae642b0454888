#pragma once

#include <QColor>
#include <QString>

// One phase's bufferbloat grade letter, in its grade colour, with the ratio of
// loaded to baseline latency.
struct SpeedTestGradeTileContent {
    QString title;
    // "A", "B", "C", "F", or "—" without a grade.
    QString letter;
    QColor letterColor;
    QString ratioText;

    bool operator==(const SpeedTestGradeTileContent&) const = default;
};
