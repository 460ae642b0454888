#include "UI/ChannelScan/ChannelScanRecommendation.h"

#include "UI/Formatters/DirectionIsolate.h"
#include "UI/Formatters/PopoverFormatters.h"

#include <algorithm>
#include <cmath>

namespace {

const ChannelCongestionSample* firstSample(const ChannelScanResult& result, std::int64_t channel,
                                           std::optional<WiFiBand> band) {
    const auto found = std::find_if(
        result.channels.begin(), result.channels.end(), [channel, band](const auto& sample) {
            return sample.channelNumber == channel && (!band || sample.band == *band);
        });
    return found == result.channels.end() ? nullptr : &*found;
}

QString percentText(double current, double recommended, const QLocale& locale) {
    const double percent = std::abs(current - recommended) / std::max(0.01, current) * 100;
    return DirectionIsolate::firstStrong(PopoverFormatters::plainNumber(percent, 0, 1, locale));
}

} // namespace

namespace ChannelScanRecommendation {

std::optional<ChannelScanSelectionSummary> currentSelection(const ChannelScanResult& result) {
    if (!result.currentChannelNumber) {
        return std::nullopt;
    }
    const std::int64_t channel = *result.currentChannelNumber;
    const ChannelCongestionSample* sample = firstSample(result, channel, result.currentBand);
    if (sample) {
        return ChannelScanSelectionSummary{channel, result.currentBand.value_or(sample->band),
                                           sample->interferenceScore, sample->networkCount};
    }
    return ChannelScanSelectionSummary{channel, result.currentBand.value_or(WiFiBand::unknown),
                                       result.currentChannelInterferenceScore.value_or(0.0), 0};
}

std::optional<ChannelScanSelectionSummary> recommendedSelection(const ChannelScanResult& result) {
    if (!result.suggestedChannelNumber || !result.suggestedBand) {
        return std::nullopt;
    }
    const std::int64_t channel = *result.suggestedChannelNumber;
    const WiFiBand band = *result.suggestedBand;
    const ChannelCongestionSample* sample = firstSample(result, channel, band);
    return ChannelScanSelectionSummary{channel, band, sample ? sample->interferenceScore : 0.0,
                                       sample ? sample->networkCount : 0};
}

QString recommendationDeltaText(const ChannelScanResult& result, const QLocale& locale) {
    const auto current = currentSelection(result);
    const auto recommended = recommendedSelection(result);
    // A score that is not a number compares as nothing measured.
    if (!current || !recommended || !std::isfinite(current->interferenceScore) ||
        !std::isfinite(recommended->interferenceScore)) {
        return QStringLiteral("Run a scan to compare current and recommended channel strength.");
    }
    if (current->channelNumber == recommended->channelNumber &&
        current->band == recommended->band) {
        return QStringLiteral("Current channel already matches the recommendation.");
    }
    const double difference = current->interferenceScore - recommended->interferenceScore;
    const QString percent =
        percentText(current->interferenceScore, recommended->interferenceScore, locale);
    if (difference > 0) {
        return QStringLiteral("Switching to Ch %1 may reduce interference by about %2%.")
            .arg(QString::number(recommended->channelNumber), percent);
    }
    if (difference < 0) {
        return QStringLiteral("Current channel is about %1% cleaner than the recommended channel "
                              "right now.")
            .arg(percent);
    }
    return QStringLiteral("Current and recommended channels have the same measured interference.");
}

} // namespace ChannelScanRecommendation
