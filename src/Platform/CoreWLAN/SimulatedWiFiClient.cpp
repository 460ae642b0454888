#include "Platform/CoreWLAN/SimulatedWiFiClient.h"

#include "Platform/CoreWLAN/SeededNoise.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

struct NearbyNetwork {
    const char* ssid; // nullptr: hidden
    const char* bssid;
    std::int64_t channelNumber;
    WLANChannelBand band;
    std::int64_t baseRssi;
};

constexpr const char* associatedSsid = "Pelmor Lab";
constexpr const char* associatedBssid = "a4:2b:b0:5e:10:24";
constexpr WLANChannel associatedChannel{36, WLANChannelBand::band5GHz};

// The first entry is the associated network; the scan reports it with the
// interface's own signal.
constexpr std::array<NearbyNetwork, 12> nearbyNetworks{{
    {associatedSsid, associatedBssid, 36, WLANChannelBand::band5GHz, 0},
    {"Linden House", "3c:84:6a:02:7e:10", 1, WLANChannelBand::band2GHz, -67},
    {"Linden House", "3c:84:6a:02:7e:11", 44, WLANChannelBand::band5GHz, -71},
    {"Cafe Amsel", "b0:be:76:41:09:c2", 6, WLANChannelBand::band2GHz, -74},
    {nullptr, "f2:9f:c2:13:55:a0", 6, WLANChannelBand::band2GHz, -80},
    {"Printer-3F", "da:a1:19:6b:2e:07", 11, WLANChannelBand::band2GHz, -62},
    {"Workshop 5G", "e4:c3:2a:90:11:5d", 149, WLANChannelBand::band5GHz, -69},
    {"Harbour Guest", "00:1d:7e:c8:43:9a", 100, WLANChannelBand::band5GHz, -83},
    {"Nordlicht", "cc:32:e5:71:0a:f4", 11, WLANChannelBand::band2GHz, -86},
    {"Studio Six", "78:8a:20:5c:e1:33", 37, WLANChannelBand::band6GHz, -72},
    {"Attic 6E", "78:8a:20:5c:e1:47", 5, WLANChannelBand::band6GHz, -77},
    {"Lantern", "9c:53:22:ab:60:18", 36, WLANChannelBand::band5GHz, -78},
}};

// Noise streams of the seeded generator, one per drifting quantity.
enum Stream : std::uint64_t {
    rssiSlow,
    rssiFast,
    rssiJitter,
    noiseSlow,
    noiseJitter,
    firstNearby,
};

// Readings change four times a second, like the platform's.
constexpr double tickSeconds = 0.25;

std::int64_t tickAt(double seconds) {
    return static_cast<std::int64_t>(std::floor(seconds / tickSeconds));
}

// The transmit rate a two-stream 80 MHz link settles on at a given SNR.
double transmitRateForSnr(std::int64_t snr) {
    static constexpr std::array<std::pair<std::int64_t, double>, 10> rates{{
        {35, 866.7},
        {32, 780.0},
        {29, 702.0},
        {26, 585.0},
        {23, 526.5},
        {20, 468.0},
        {17, 351.0},
        {14, 234.0},
        {11, 175.5},
        {8, 117.0},
    }};
    for (const auto& [minimumSnr, rate] : rates) {
        if (snr >= minimumSnr) {
            return rate;
        }
    }
    return 58.5;
}

} // namespace

SimulatedWiFiClient::SimulatedWiFiClient(std::uint64_t seed, Clock clock)
    : seed_(seed), clock_(std::move(clock)), start_(clock_()) {}

std::optional<WLANInterface> SimulatedWiFiClient::currentInterface() {
    const double seconds = elapsedSeconds();
    const std::int64_t rssi = associatedRssi(seconds);
    const std::int64_t noise = associatedNoise(seconds);
    return WLANInterface{
        .interfaceName = QStringLiteral("wlan0"),
        .ssid = QString::fromUtf8(associatedSsid),
        .bssid = QString::fromUtf8(associatedBssid),
        .rssiValue = rssi,
        .noiseMeasurement = noise,
        .transmitRate = transmitRateForSnr(rssi - noise),
        .wlanChannel = associatedChannel,
    };
}

std::vector<WLANNetwork> SimulatedWiFiClient::scanForNetworks() {
    const double seconds = elapsedSeconds();
    std::vector<WLANNetwork> networks;
    networks.reserve(nearbyNetworks.size());
    for (std::size_t index = 0; index < nearbyNetworks.size(); ++index) {
        const NearbyNetwork& nearby = nearbyNetworks[index];
        networks.push_back(WLANNetwork{
            .ssid = nearby.ssid ? std::optional(QString::fromUtf8(nearby.ssid)) : std::nullopt,
            .bssid = QString::fromUtf8(nearby.bssid),
            .rssiValue =
                index == 0 ? associatedRssi(seconds) : nearbyRssi(index, nearby.baseRssi, seconds),
            .wlanChannel = WLANChannel{nearby.channelNumber, nearby.band},
        });
    }
    return networks;
}

double SimulatedWiFiClient::elapsedSeconds() const {
    return std::chrono::duration<double>(clock_() - start_).count();
}

std::int64_t SimulatedWiFiClient::associatedRssi(double seconds) const {
    const double rssi = -57 + 7 * SeededNoise::smooth(seed_, rssiSlow, seconds, 20) +
                        3 * SeededNoise::smooth(seed_, rssiFast, seconds, 3) +
                        2 * SeededNoise::uniform(seed_, rssiJitter, tickAt(seconds)) - 1;
    return std::lround(rssi);
}

std::int64_t SimulatedWiFiClient::associatedNoise(double seconds) const {
    const double noise = -92 + 2 * SeededNoise::smooth(seed_, noiseSlow, seconds, 30) +
                         2 * SeededNoise::uniform(seed_, noiseJitter, tickAt(seconds)) - 1;
    return std::lround(noise);
}

std::int64_t SimulatedWiFiClient::nearbyRssi(std::size_t index, std::int64_t baseRssi,
                                             double seconds) const {
    const std::uint64_t stream = firstNearby + 2 * index;
    const double rssi = static_cast<double>(baseRssi) +
                        4 * SeededNoise::smooth(seed_, stream, seconds, 15) +
                        2 * SeededNoise::uniform(seed_, stream + 1, tickAt(seconds)) - 1;
    return std::clamp<std::int64_t>(std::lround(rssi), -95, -30);
}
