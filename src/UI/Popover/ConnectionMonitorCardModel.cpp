#include "UI/Popover/ConnectionMonitorCardModel.h"

#include "UI/Ground/NamedColors.h"

#include <cstdint>

namespace {

const QString missingValue = QStringLiteral("\u2014");

QString countText(const std::optional<ConnectionPressureResult>& result,
                  std::int64_t (*count)(const TCPConnectionStateCounts&)) {
    return result ? QString::number(count(result->counts)) : missingValue;
}

} // namespace

namespace ConnectionMonitorCardModel {

std::array<MetricLine, 5> metricLines(const ConnectionMonitorCardContent& content) {
    const auto& result = content.latestResult;
    using Counts = TCPConnectionStateCounts;
    return {{
        {QStringLiteral("Established"),
         countText(result, [](const Counts& counts) { return counts.established; }),
         content.establishedSamples, NamedColors::green},
        {QStringLiteral("TIME_WAIT"),
         countText(result, [](const Counts& counts) { return counts.timeWait; }),
         content.timeWaitSamples, NamedColors::orange},
        {QStringLiteral("CLOSE_WAIT"),
         countText(result, [](const Counts& counts) { return counts.closeWait; }),
         content.closeWaitSamples, NamedColors::red},
        {QStringLiteral("Total"),
         countText(result,
                   [](const Counts& counts) {
                       return counts.established + counts.timeWait + counts.closeWait;
                   }),
         content.totalSamples, NamedColors::white},
        {QStringLiteral("Orphaned"),
         countText(result, [](const Counts& counts) { return counts.timeWait + counts.closeWait; }),
         content.orphanedSamples, NamedColors::yellow},
    }};
}

std::optional<SignalQuality> badgeQuality(const ConnectionMonitorCardContent& content) {
    if (!content.latestResult) {
        return std::nullopt;
    }
    return content.latestResult->quality;
}

} // namespace ConnectionMonitorCardModel
