#pragma once

#include "Core/DomainModels.h"

#include <cstdint>

#include <QString>

// One row of the radar's nearby list: a network heard by the last scan.
struct RadarNearbyNetwork {
    // The BSSID; without one "Hidden-<channel>|<signal>", which networks of
    // different names can share, so it names a row but never keys one.
    QString id;
    // The network's name; without one "Hidden-<channel>".
    QString ssid;
    std::int64_t signalDbm = 0;
    std::int64_t channelNumber = 0;
    WiFiBand band = WiFiBand::unknown;

    bool operator==(const RadarNearbyNetwork&) const = default;
};
