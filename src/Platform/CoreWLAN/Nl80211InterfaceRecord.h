#pragma once

#include <cstdint>
#include <optional>

#include <QString>

// What nl80211 reports of one wireless interface (NL80211_CMD_NEW_INTERFACE).
struct Nl80211InterfaceRecord {
    std::uint32_t interfaceIndex = 0;
    QString name;
    std::uint32_t type = 0;                 // enum nl80211_iftype
    std::optional<std::uint32_t> frequency; // MHz, of the channel in use
    std::optional<QString> ssid;            // of the associated network

    bool operator==(const Nl80211InterfaceRecord&) const = default;
};
