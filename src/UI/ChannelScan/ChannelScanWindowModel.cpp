#include "UI/ChannelScan/ChannelScanWindowModel.h"

#include "UI/ChannelScan/ChannelScanChannelList.h"
#include "UI/ChannelScan/ChannelScanRecommendation.h"
#include "UI/Formatters/PopoverFormatters.h"
#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double minimumBarWidth = 2;
constexpr double redThreshold = 0.67;
constexpr double orangeThreshold = 0.34;
constexpr double barOpacity = 0.82;

const QString missingValue = QStringLiteral("\u2014");

QString countText(std::int64_t count, const QString& singular, const QString& plural) {
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? singular : plural);
}

bool matches(std::int64_t channelNumber, std::optional<std::int64_t> pinned) {
    return pinned && *pinned == channelNumber;
}

} // namespace

namespace ChannelScanWindowModel {

ChannelScanLayoutState layoutState(const ChannelScanWindowInputs& inputs) {
    if (inputs.latestResult) {
        return inputs.isScanning ? ChannelScanLayoutState::resultScanning
                                 : ChannelScanLayoutState::resultIdle;
    }
    return inputs.isScanning ? ChannelScanLayoutState::emptyScanning
                             : ChannelScanLayoutState::emptyIdle;
}

QString actionTitle(const ChannelScanWindowInputs& inputs) {
    if (inputs.isScanning) {
        return QStringLiteral("Cancel");
    }
    return inputs.latestResult ? QStringLiteral("Scan Again") : QStringLiteral("Scan Now");
}

bool shouldShowHeaderActionButton(const ChannelScanWindowInputs& inputs) {
    return inputs.isScanning || inputs.latestResult.has_value();
}

ChannelScanButtonAction buttonAction(const ChannelScanWindowInputs& inputs) {
    return inputs.isScanning ? ChannelScanButtonAction::cancelScan
                             : ChannelScanButtonAction::startScan;
}

double progressFraction(std::int64_t completedPasses, std::int64_t totalPasses) {
    const double total = static_cast<double>(std::max<std::int64_t>(totalPasses, 1));
    return std::clamp(static_cast<double>(completedPasses) / total, 0.0, 1.0);
}

std::int64_t networksSeenPerPass(const ChannelScanResult& result) {
    if (result.scannedNetworkCount <= 0) {
        return 0;
    }
    const double passes = static_cast<double>(std::max<std::int64_t>(result.passCount, 1));
    const double perPass = static_cast<double>(result.scannedNetworkCount) / passes;
    return std::max<std::int64_t>(1, std::llround(perPass));
}

QString scoreText(double interferenceScore, const QLocale& locale) {
    const QString score = std::isfinite(interferenceScore)
                              ? PopoverFormatters::plainNumber(interferenceScore, 2, 2, locale)
                              : missingValue;
    return QStringLiteral("Score ") + score;
}

QString selectionChannelText(std::int64_t channelNumber, WiFiBand band) {
    return QStringLiteral("Ch %1 (%2)").arg(QString::number(channelNumber), band.rawValue());
}

QString networkCountText(std::int64_t networkCount) {
    return countText(networkCount, QStringLiteral("nearby network"),
                     QStringLiteral("nearby networks"));
}

QString rowNetworkCountText(std::int64_t networkCount) {
    return countText(networkCount, QStringLiteral("network"), QStringLiteral("networks"));
}

double heldCongestion(double normalizedCongestion) {
    return std::isfinite(normalizedCongestion) ? std::clamp(normalizedCongestion, 0.0, 1.0) : 0.0;
}

double congestionBarWidth(double normalizedCongestion, double trackWidth) {
    const double track = std::max(0.0, trackWidth);
    return std::min(track, std::max(minimumBarWidth, track * heldCongestion(normalizedCongestion)));
}

QColor congestionBarColor(double normalizedCongestion) {
    const double held = heldCongestion(normalizedCongestion);
    const QColor& color = held >= redThreshold      ? NamedColors::red
                          : held >= orangeThreshold ? NamedColors::orange
                                                    : NamedColors::green;
    return withOpacity(color, barOpacity);
}

ChannelScanSelectionCardContent
selectionCard(const QString& title, const std::optional<ChannelScanSelectionSummary>& selection,
              const QColor& accentColor, const QLocale& locale) {
    ChannelScanSelectionCardContent card{title, accentColor, std::nullopt};
    if (selection) {
        card.lines = ChannelScanSelectionCardContent::Lines{
            selectionChannelText(selection->channelNumber, selection->band),
            scoreText(selection->interferenceScore, locale),
            networkCountText(selection->networkCount)};
    }
    return card;
}

ChannelScanCongestionRowContent congestionRow(const ChannelCongestionSample& sample,
                                              const ChannelScanResult& result,
                                              const QLocale& locale) {
    return {.channelNumber = sample.channelNumber,
            .channelText = QStringLiteral("Ch ") + QString::number(sample.channelNumber),
            .isCurrent = matches(sample.channelNumber, result.currentChannelNumber),
            .isRecommended = matches(sample.channelNumber, result.suggestedChannelNumber),
            .scoreText = scoreText(sample.interferenceScore, locale),
            .networkCountText = rowNetworkCountText(sample.networkCount),
            .congestion = heldCongestion(sample.normalizedCongestion),
            .barColor = congestionBarColor(sample.normalizedCongestion)};
}

ChannelScanResultContent resultContent(const ChannelScanResult& result, const QLocale& locale) {
    using namespace ChannelScanRecommendation;
    ChannelScanResultContent content{
        .networksSeenValue = QString::number(networksSeenPerPass(result)),
        .passesValue = QString::number(result.passCount),
        .currentCard = selectionCard(QStringLiteral("Current"), currentSelection(result),
                                     NamedColors::blue, locale),
        .recommendedCard = selectionCard(QStringLiteral("Recommended"),
                                         recommendedSelection(result), NamedColors::green, locale),
        .comparisonText = recommendationDeltaText(result, locale),
        .rows = {}};
    for (const ChannelCongestionSample& sample :
         ChannelScanChannelList::preferredBandChannels(result)) {
        content.rows.push_back(congestionRow(sample, result, locale));
    }
    return content;
}

ChannelScanWindowContent content(const ChannelScanWindowInputs& inputs, const QLocale& locale) {
    ChannelScanWindowContent content{
        .layoutState = layoutState(inputs),
        .actionTitle = actionTitle(inputs),
        .showsHeaderActionButton = shouldShowHeaderActionButton(inputs),
        .showsProgress = inputs.isScanning,
        .progressFraction = progressFraction(inputs.completedPasses, inputs.totalPasses),
        .result = std::nullopt};
    if (inputs.latestResult) {
        content.result = resultContent(*inputs.latestResult, locale);
    }
    return content;
}

} // namespace ChannelScanWindowModel
