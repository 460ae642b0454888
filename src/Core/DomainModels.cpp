#include "Core/DomainModels.h"

namespace {

bool canonicallyEqual(const QString& left, const QString& right) {
    // Identical texts are the common case; only differing ones pay for normalisation.
    return left == right || left.normalized(QString::NormalizationForm_C) ==
                                right.normalized(QString::NormalizationForm_C);
}

bool canonicallyEqual(const std::optional<QString>& left, const std::optional<QString>& right) {
    if (left.has_value() != right.has_value()) {
        return false;
    }
    return !left.has_value() || canonicallyEqual(*left, *right);
}

} // namespace

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
