#pragma once

#include "System/WiFiInterfaceProviding.h"

// The Wi-Fi interface the test sets, or none.
class ScriptedWiFiInterface final : public WiFiInterfaceProviding {
public:
    std::optional<WiFiInterfaceSnapshot> snapshot;

    std::optional<WiFiInterfaceSnapshot> currentSnapshot() override { return snapshot; }

    static WiFiInterfaceSnapshot associated(std::optional<QString> ssid, std::int64_t rssiDbm,
                                            std::int64_t noiseFloorDbm,
                                            std::optional<std::int64_t> linkRateMbps) {
        return WiFiInterfaceSnapshot{.interfaceName = QStringLiteral("wlan0"),
                                     .ssid = std::move(ssid),
                                     .bssid = QStringLiteral("a4:2b:b0:11:22:33"),
                                     .rssiDbm = rssiDbm,
                                     .noiseFloorDbm = noiseFloorDbm,
                                     .linkRateMbps = linkRateMbps,
                                     .channelNumber = 36,
                                     .band = WiFiBand::fiveGigahertz};
    }
};
