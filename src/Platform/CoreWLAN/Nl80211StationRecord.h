#pragma once

#include <cstdint>
#include <optional>

#include <QString>

// What nl80211 reports of one station (NL80211_CMD_NEW_STATION); on a client
// interface, the access point it is associated with.
struct Nl80211StationRecord {
    QString macAddress;
    std::optional<std::int64_t> signalDbm;
    std::optional<double> transmitBitrateMbps;

    bool operator==(const Nl80211StationRecord&) const = default;
};
