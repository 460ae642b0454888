#include "Core/DomainModels.h"

#include "Core/CanonicalTextEquality.h"

bool WiFiSnapshot::operator==(const WiFiSnapshot& other) const {
    return timestamp == other.timestamp && canonicallyEqual(ssid, other.ssid) &&
           canonicallyEqual(bssid, other.bssid) && rssiDbm == other.rssiDbm &&
           noiseFloorDbm == other.noiseFloorDbm && snrDb == other.snrDb &&
           linkRateMbps == other.linkRateMbps && channelNumber == other.channelNumber &&
           band == other.band && canonicallyEqual(ipAddress, other.ipAddress) &&
           isVPNActive == other.isVPNActive;
}

bool DNSResult::operator==(const DNSResult& other) const {
    return canonicallyEqual(domain, other.domain) && timestamp == other.timestamp &&
           latencyMilliseconds == other.latencyMilliseconds && didSucceed == other.didSucceed;
}
