#pragma once

#include <cstdint>
#include <optional>

#include <QString>

// What nl80211 reports of one network in the scan results (NL80211_CMD_NEW_SCAN_RESULTS).
struct Nl80211BssRecord {
    QString bssid;
    std::uint32_t frequency = 0; // MHz
    std::optional<std::int64_t> signalDbm;
    std::optional<QString> ssid; // none for a hidden network

    bool operator==(const Nl80211BssRecord&) const = default;
};
