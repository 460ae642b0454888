#pragma once

#include "Platform/CoreWLAN/WiFiClient.h"

#include <chrono>
#include <cstdint>
#include <functional>

// Simulated Wi-Fi for machines without it, demonstrations and screenshots:
// one associated network whose signal, noise and transmit rate drift over
// time, and a dozen networks nearby on 2.4, 5 and 6 GHz channels, one of them
// hidden. Every reading is a function of the seed and the time elapsed since
// construction, so a seed and a clock replay the same readings.
class SimulatedWiFiClient final : public WiFiClient {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr std::uint64_t defaultSeed = 0x50454C4D4F52; // "PELMOR"

    explicit SimulatedWiFiClient(std::uint64_t seed = defaultSeed,
                                 Clock clock = &std::chrono::steady_clock::now);

    std::optional<WLANInterface> currentInterface() override;
    std::vector<WLANNetwork> scanForNetworks() override;

private:
    double elapsedSeconds() const;
    std::int64_t associatedRssi(double seconds) const;
    std::int64_t associatedNoise(double seconds) const;
    std::int64_t nearbyRssi(std::size_t index, std::int64_t baseRssi, double seconds) const;

    std::uint64_t seed_;
    Clock clock_;
    std::chrono::steady_clock::time_point start_;
};
