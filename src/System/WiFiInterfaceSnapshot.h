#pragma once

#include "Core/DomainModels.h"

#include <cstdint>
#include <optional>

#include <QString>

// One reading of the current Wi-Fi interface, as the Wi-Fi monitors take it.
// Texts compare by canonical equivalence, every other field exactly.
struct WiFiInterfaceSnapshot {
    QString interfaceName;
    std::optional<QString> ssid;
    std::optional<QString> bssid;
    std::int64_t rssiDbm = 0;
    std::int64_t noiseFloorDbm = 0;
    std::optional<std::int64_t> linkRateMbps;
    std::optional<std::int64_t> channelNumber;
    std::optional<WiFiBand> band;

    bool operator==(const WiFiInterfaceSnapshot& other) const;
};
