#pragma once

#include "Platform/CoreWLAN/WLANChannel.h"

#include <cstdint>
#include <optional>

#include <QString>

// One reading of the current Wi-Fi interface. An interface that is not
// associated with a network reads 0 for both RSSI and noise, and has no
// channel, SSID or BSSID.
struct WLANInterface {
    std::optional<QString> interfaceName;
    std::optional<QString> ssid;
    // Lower-case, colon-separated hexadecimal ("a4:2b:b0:11:22:33").
    std::optional<QString> bssid;
    std::int64_t rssiValue = 0;        // dBm
    std::int64_t noiseMeasurement = 0; // dBm
    double transmitRate = 0;           // Mbit/s
    std::optional<WLANChannel> wlanChannel;

    bool operator==(const WLANInterface&) const = default;
};
