#include "UI/ChannelScan/ChannelScanChannelList.h"

#include "Platform/Algorithm/StableSort.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

namespace {

// Least interference first, then the lower channel. A score that is not a
// finite number (NaN, infinite) ranks after every finite one, so that the
// order stays strict and weak; such channels follow by channel number.
std::tuple<bool, double, std::int64_t> sortKey(const ChannelCongestionSample& sample) {
    const bool isMeasured = std::isfinite(sample.interferenceScore);
    return {!isMeasured, isMeasured ? sample.interferenceScore : 0.0, sample.channelNumber};
}

std::vector<ChannelCongestionSample> candidates(const ChannelScanResult& result,
                                                std::optional<WiFiBand> band) {
    std::vector<ChannelCongestionSample> chosen;
    std::copy_if(
        result.channels.begin(), result.channels.end(), std::back_inserter(chosen),
        [band](const ChannelCongestionSample& sample) { return !band || sample.band == *band; });
    Algorithm::stableSort(
        chosen.begin(), chosen.end(),
        [](const ChannelCongestionSample& first, const ChannelCongestionSample& second) {
            return sortKey(first) < sortKey(second);
        });
    return chosen;
}

std::vector<std::int64_t> pinnedChannels(const ChannelScanResult& result) {
    std::vector<std::int64_t> pinned;
    for (const auto& channel : {result.currentChannelNumber, result.suggestedChannelNumber}) {
        if (channel) {
            pinned.push_back(*channel);
        }
    }
    return pinned;
}

} // namespace

namespace ChannelScanChannelList {

std::optional<WiFiBand> activeBand(const ChannelScanResult& result) {
    return result.currentBand ? result.currentBand : result.suggestedBand;
}

ChannelCongestionSample placeholderSample(std::int64_t channelNumber, WiFiBand band) {
    return {.channelNumber = channelNumber,
            .band = band,
            .networkCount = 0,
            .averageRSSIDbm = -100.0,
            .interferenceScore = 0.0,
            .normalizedCongestion = 0.0};
}

std::vector<ChannelCongestionSample>
preferredBandChannels(const std::optional<ChannelScanResult>& latestResult) {
    if (!latestResult) {
        return {};
    }
    const std::optional<WiFiBand> band = activeBand(*latestResult);
    const std::vector<ChannelCongestionSample> sorted = candidates(*latestResult, band);
    std::vector<ChannelCongestionSample> rows;
    std::set<std::int64_t> shown;
    const auto append = [&rows, &shown](const ChannelCongestionSample& sample) {
        if (shown.insert(sample.channelNumber).second) {
            rows.push_back(sample);
        }
    };

    for (const std::int64_t channel : pinnedChannels(*latestResult)) {
        const auto found =
            std::find_if(sorted.begin(), sorted.end(),
                         [channel](const auto& sample) { return sample.channelNumber == channel; });
        if (found != sorted.end()) {
            append(*found);
        } else if (band) {
            append(placeholderSample(channel, *band));
        }
    }
    for (const ChannelCongestionSample& sample : sorted) {
        if (rows.size() >= maximumRowCount) {
            break;
        }
        append(sample);
    }
    return rows;
}

} // namespace ChannelScanChannelList
