#pragma once

#include "Core/DomainModels.h"
#include "Monitors/RadarNearbyNetwork.h"

#include <optional>
#include <vector>

#include <QString>

// The published values the radar window shows, read afresh on every redraw:
// its own radar monitor and nearby-network controller, and the application's
// Wi-Fi monitor as the fallback while the radar monitor has nothing.
struct WiFiRadarInputs {
    std::optional<WiFiSnapshot> radarSnapshot{};
    std::vector<WiFiSnapshot> radarHistory{};
    std::optional<WiFiSnapshot> wifiSnapshot{};
    std::vector<WiFiSnapshot> wifiHistory{};
    std::vector<RadarNearbyNetwork> nearbyNetworks{};
    std::optional<QString> nearbyErrorMessage{};
};
