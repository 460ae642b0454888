#pragma once

#include "Core/DirectionHint.h"
#include "UI/Radar/RadarMetricCardContent.h"
#include "UI/Radar/RadarNearbyRowContent.h"

#include <array>
#include <vector>

#include <QColor>
#include <QString>

// Everything the radar window shows, computed from its inputs; the views
// only paint it.
struct WiFiRadarContent {
    // The spot quality, 0 to 100, and the colour that stands for it.
    int score = 0;
    QColor qualityTint;
    QString statusSymbolName;
    QString qualityMessage;

    WiFiRadarScoring::DirectionHint hint = WiFiRadarScoring::DirectionHint::keepGoing;
    QString hintSymbolName;
    QString hintText;

    // The current network's name as the link reports it, or the no-network text.
    QString networkName;
    bool showsCurrentBadge = false;
    QString channelAndBand;

    // Quality, SNR, RSSI, Speed.
    std::array<RadarMetricCardContent, 4> metricCards;

    std::vector<RadarNearbyRowContent> nearbyRows;
    // Shown in place of the list while it is empty.
    QString nearbyPlaceholder;

    bool operator==(const WiFiRadarContent&) const = default;
};
