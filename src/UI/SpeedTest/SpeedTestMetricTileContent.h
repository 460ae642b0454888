#pragma once

#include <QColor>
#include <QString>

// One large value with an icon and a caption under it.
struct SpeedTestMetricTileContent {
    QString title;
    QString symbolName;
    // Number and unit, as formatted, or "—".
    QString value;
    QColor valueColor;

    bool operator==(const SpeedTestMetricTileContent&) const = default;
};
