#pragma once

#include "Platform/CoreWLAN/WLANChannel.h"

#include <cstdint>
#include <optional>

#include <QString>

// One network seen by a scan. A hidden network has no SSID.
struct WLANNetwork {
    std::optional<QString> ssid;
    std::optional<QString> bssid;
    std::int64_t rssiValue = 0; // dBm
    std::optional<WLANChannel> wlanChannel;

    bool operator==(const WLANNetwork&) const = default;
};
