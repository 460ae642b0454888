#pragma once

#include <QString>

// The texts of one row of the radar's nearby list.
struct RadarNearbyRowContent {
    QString ssid;
    QString signal;  // "-58 dBm"
    QString channel; // "Ch 36 . 5 GHz"

    bool operator==(const RadarNearbyRowContent&) const = default;
};
