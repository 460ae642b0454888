#include "System/WiFiScannedNetwork.h"

#include "Core/CanonicalTextEquality.h"

bool WiFiScannedNetwork::operator==(const WiFiScannedNetwork& other) const {
    return canonicallyEqual(ssid, other.ssid) && canonicallyEqual(bssid, other.bssid) &&
           rssiDbm == other.rssiDbm && channelNumber == other.channelNumber && band == other.band;
}
