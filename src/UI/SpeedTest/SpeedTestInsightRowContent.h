#pragma once

#include <QColor>
#include <QString>

// One phase's sentence on how far latency rose under load, behind an icon in
// the phase's grade colour.
struct SpeedTestInsightRowContent {
    QString indicatorSymbolName;
    QColor indicatorColor;
    QString message;

    bool operator==(const SpeedTestInsightRowContent&) const = default;
};
