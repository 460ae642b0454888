#include "System/WiFiInterfaceSnapshot.h"

#include "Core/CanonicalTextEquality.h"

bool WiFiInterfaceSnapshot::operator==(const WiFiInterfaceSnapshot& other) const {
    return canonicallyEqual(interfaceName, other.interfaceName) &&
           canonicallyEqual(ssid, other.ssid) && canonicallyEqual(bssid, other.bssid) &&
           rssiDbm == other.rssiDbm && noiseFloorDbm == other.noiseFloorDbm &&
           linkRateMbps == other.linkRateMbps && channelNumber == other.channelNumber &&
           band == other.band;
}
