#pragma once

#include "Core/DomainModels.h"

#include <optional>
#include <vector>

// The rows of the "Band Congestion" panel: the channels of the active band,
// the current and then the recommended channel pinned first, the rest from
// least to most interference, each channel number once, at most
// `maximumRowCount` rows.
namespace ChannelScanChannelList {

inline constexpr std::size_t maximumRowCount = 12;

std::vector<ChannelCongestionSample>
preferredBandChannels(const std::optional<ChannelScanResult>& latestResult);

// The band whose channels are listed: the current band, else the suggested
// one; absent when neither is known.
std::optional<WiFiBand> activeBand(const ChannelScanResult& result);

// The row shown for a pinned channel that no sample of the active band reports.
ChannelCongestionSample placeholderSample(std::int64_t channelNumber, WiFiBand band);

} // namespace ChannelScanChannelList
