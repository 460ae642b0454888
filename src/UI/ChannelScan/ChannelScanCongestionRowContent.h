#pragma once

#include <cstdint>

#include <QColor>
#include <QString>

// One row of the "Band Congestion" panel.
struct ChannelScanCongestionRowContent {
    std::int64_t channelNumber;
    QString channelText;      // "Ch 6"
    bool isCurrent;           // carries the "Current" tag
    bool isRecommended;       // carries the "Recommended" tag
    QString scoreText;        // "Score 0.50"
    QString networkCountText; // "2 networks"
    double congestion;        // the bar's share of its track, 0 to 1
    QColor barColor;

    bool operator==(const ChannelScanCongestionRowContent&) const = default;
};
