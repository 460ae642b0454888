#pragma once

#include "Core/DomainModels.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

// Scan results built by hand for the Channel Scan window's tests.
namespace ChannelScanSamples {

inline constexpr auto band24 = WiFiBand::twoPointFourGigahertz;
inline constexpr auto band5 = WiFiBand::fiveGigahertz;
inline constexpr auto band6 = WiFiBand::sixGigahertz;

inline ChannelCongestionSample sample(std::int64_t channel, WiFiBand band, double score,
                                      std::int64_t networks = 1, double congestion = 0.5) {
    return {.channelNumber = channel,
            .band = band,
            .networkCount = networks,
            .averageRSSIDbm = -60.0,
            .interferenceScore = score,
            .normalizedCongestion = congestion};
}

inline ChannelScanResult
result(std::vector<ChannelCongestionSample> channels, std::optional<std::int64_t> currentChannel,
       std::optional<WiFiBand> currentBand, std::optional<std::int64_t> suggestedChannel,
       std::optional<WiFiBand> suggestedBand, std::optional<double> currentScore = std::nullopt) {
    return {.timestamp = Date{} + std::chrono::seconds(1'767'225'600),
            .passCount = 3,
            .scannedNetworkCount = static_cast<std::int64_t>(channels.size()) * 3,
            .channels = std::move(channels),
            .currentChannelNumber = currentChannel,
            .currentBand = currentBand,
            .currentChannelInterferenceScore = currentScore,
            .suggestedChannelNumber = suggestedChannel,
            .suggestedBand = suggestedBand,
            .didSucceed = true};
}

} // namespace ChannelScanSamples
