#include "Monitors/WiFiSnapshotBuilding.h"

WiFiSnapshot makeWiFiSnapshot(const WiFiInterfaceSnapshot& interface, Date timestamp,
                              std::optional<QString> ipAddress, bool isVPNActive) {
    return WiFiSnapshot{timestamp,
                        interface.ssid,
                        interface.bssid,
                        interface.rssiDbm,
                        interface.noiseFloorDbm,
                        interface.rssiDbm - interface.noiseFloorDbm,
                        interface.linkRateMbps,
                        interface.channelNumber,
                        interface.band,
                        std::move(ipAddress),
                        isVPNActive};
}
