#pragma once

#include "Core/DomainModels.h"

#include <cstdint>
#include <optional>

#include <QString>

// One network seen by a scan of the nearby Wi-Fi networks. Texts compare by
// canonical equivalence, every other field exactly.
struct WiFiScannedNetwork {
    std::optional<QString> ssid; // trimmed; none for a hidden network
    std::optional<QString> bssid;
    std::int64_t rssiDbm = 0;
    std::int64_t channelNumber = 0;
    WiFiBand band = WiFiBand::unknown;

    bool operator==(const WiFiScannedNetwork& other) const;
};
