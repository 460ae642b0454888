#include "SampleNetwork.h"

#include <cmath>

namespace {

struct WiFiReading {
    std::optional<QString> ssid;
    std::int64_t rssiDbm;
    std::int64_t noiseFloorDbm;
    std::int64_t linkRateMbps;
    std::int64_t channel;
    WiFiBand band;
};

struct PingReading {
    double latency;
    double jitter;
    double loss;
};

WiFiReading wifiReading(SampleState state) {
    switch (state) {
    case SampleState::warning:
        return {QStringLiteral("Café Guest"), -68, -89, 144, 6, WiFiBand::twoPointFourGigahertz};
    case SampleState::poor:
        return {QStringLiteral("Airport Free Wi-Fi"), -81, -84, 26, 11,
                WiFiBand::twoPointFourGigahertz};
    case SampleState::locationNotAuthorized:
        return {std::nullopt, -52, -93, 866, 36, WiFiBand::fiveGigahertz};
    case SampleState::captivePortal:
        return {QStringLiteral("Hotel Lobby"), -56, -92, 573, 149, WiFiBand::fiveGigahertz};
    default:
        break;
    }
    return {QStringLiteral("Office"), -52, -93, 866, 36, WiFiBand::fiveGigahertz};
}

PingReading internetReading(SampleState state) {
    switch (state) {
    case SampleState::warning:
        return {74, 14, 2};
    case SampleState::poor:
        return {190, 38, 18};
    default:
        break;
    }
    return {18.4, 1.9, 0};
}

PingReading routerReading(SampleState state) {
    return state == SampleState::warning ? PingReading{6.2, 2.1, 0} : PingReading{2.8, 0.6, 0};
}

double dnsReading(SampleState state) {
    switch (state) {
    case SampleState::warning:
        return 78;
    case SampleState::poor:
        return 240;
    default:
        break;
    }
    return 24;
}

TCPConnectionStateCounts connectionReading(SampleState state) {
    switch (state) {
    case SampleState::warning:
        return {420, 160, 20};
    case SampleState::poor:
        return {900, 420, 30};
    case SampleState::disconnected:
        return {12, 2, 0};
    default:
        break;
    }
    return {42, 6, 1};
}

} // namespace

SampleNetwork::SampleNetwork(SampleState state) : state_(state) {}

double SampleNetwork::wobble(double base, double spread, int phase) const {
    return base * (1.0 + spread * std::sin(phase * 0.9) * std::cos(phase * 0.37));
}

std::optional<WiFiInterfaceSnapshot> SampleNetwork::currentSnapshot() {
    if (state_ == SampleState::disconnected) {
        return std::nullopt;
    }
    const int poll = wifiPolls_++;
    const WiFiReading reading = wifiReading(state_);
    const auto rssi = reading.rssiDbm + std::llround(3 * std::sin(poll * 0.7));
    const auto noise = reading.noiseFloorDbm + std::llround(std::sin(poll * 1.3));
    const auto linkRate = std::llround(wobble(double(reading.linkRateMbps), 0.12, poll));
    return WiFiInterfaceSnapshot{
        .interfaceName = QStringLiteral("wlan0"),
        .ssid = reading.ssid,
        .bssid = reading.ssid ? std::optional(QStringLiteral("a4:2b:b0:11:22:33")) : std::nullopt,
        .rssiDbm = rssi,
        .noiseFloorDbm = noise,
        .linkRateMbps = std::min<std::int64_t>(linkRate, reading.linkRateMbps),
        .channelNumber = reading.channel,
        .band = reading.band};
}

Async::Task<std::optional<QString>> SampleNetwork::ipv4Address(QString /*interfaceName*/) {
    co_return QStringLiteral("192.168.1.20");
}

Async::Task<bool> SampleNetwork::isVPNActive() {
    co_return false;
}

Async::Task<PingProbeMeasurement> SampleNetwork::performPing(QString target, double /*timeout*/) {
    if (state_ == SampleState::disconnected) {
        co_return PingProbeMeasurement{std::nullopt, std::nullopt, 100, false};
    }
    const bool isRouter = target == gatewayAddress;
    const int poll = isRouter ? pingPolls_ : pingPolls_++;
    if (isRouter && state_ == SampleState::poor) {
        // A router that ignores ICMP while the internet answers.
        co_return PingProbeMeasurement{std::nullopt, std::nullopt, 100, false};
    }
    const PingReading reading = isRouter ? routerReading(state_) : internetReading(state_);
    co_return PingProbeMeasurement{wobble(reading.latency, 0.25, poll + (isRouter ? 3 : 0)),
                                   wobble(reading.jitter, 0.35, poll + 5), reading.loss, true};
}

Async::Task<std::optional<QString>> SampleNetwork::resolveDefaultGateway(double /*timeout*/) {
    if (state_ == SampleState::disconnected) {
        co_return std::nullopt;
    }
    co_return gatewayAddress;
}

Async::Task<DNSLookupMeasurement> SampleNetwork::lookup(QString /*domain*/, double /*timeout*/) {
    if (state_ == SampleState::disconnected) {
        co_return DNSLookupMeasurement{std::nullopt, false};
    }
    co_return DNSLookupMeasurement{wobble(dnsReading(state_), 0.3, dnsPolls_++), true};
}

Async::Task<TCPConnectionMeasurement> SampleNetwork::fetchConnectionCounts(double /*timeout*/) {
    const TCPConnectionStateCounts base = connectionReading(state_);
    const int poll = connectionPolls_++;
    const auto scaled = [&](std::int64_t count, int phase) {
        return std::llround(wobble(double(count), 0.2, poll + phase));
    };
    co_return TCPConnectionMeasurement{TCPConnectionStateCounts{scaled(base.established, 0),
                                                                scaled(base.timeWait, 2),
                                                                scaled(base.closeWait, 4)},
                                       true};
}

Async::Task<CaptivePortalDetectionMeasurement>
SampleNetwork::checkForCaptivePortal(double /*timeout*/) {
    if (state_ == SampleState::captivePortal) {
        co_return CaptivePortalDetectionMeasurement{
            .isCaptivePortal = true,
            .portalURL = QUrl(QStringLiteral("https://login.hotel-lobby.example/portal")),
            .probeURL = QUrl(QStringLiteral("http://captive.example.net/hotspot-detect.html")),
            .reason = CaptivePortalDetectionReason::redirect,
            .didSucceed = true};
    }
    if (state_ == SampleState::disconnected) {
        co_return CaptivePortalDetectionMeasurement::failed();
    }
    co_return CaptivePortalDetectionMeasurement::notCaptive();
}

LocationPermissionStatus SampleNetwork::authorizationStatus() const {
    return state_ == SampleState::locationNotAuthorized ? LocationPermissionStatus::notDetermined
                                                        : LocationPermissionStatus::authorized;
}

const LocationAuthorizing::StatusChangeCallback&
SampleNetwork::onAuthorizationStatusChange() const {
    return statusCallback_;
}

void SampleNetwork::setOnAuthorizationStatusChange(StatusChangeCallback callback) {
    statusCallback_ = std::move(callback);
}

Async::Task<UpdateCheckResult> SampleNetwork::checkForUpdate() {
    if (state_ != SampleState::updateAvailable) {
        co_return UpdateCheckResult::upToDate();
    }
    co_return UpdateCheckResult::updateAvailable(AvailableUpdate{
        .version = QStringLiteral("1.5.0"),
        .buildNumber = 61,
        .releaseDate = QStringLiteral("2026-01-20"),
        .downloadUrl = QStringLiteral("https://updates.example/releases/pelmor-1.5.0.tar.gz"),
        .releaseNotes = QStringLiteral(
            "Faster channel scans, a clearer bufferbloat grade and fixes for networks whose "
            "names hold emoji. The radar window now remembers its frame between launches."),
        .minimumSystemVersion = std::nullopt});
}
