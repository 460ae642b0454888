#include "UI/SpeedTest/SpeedTestWindowModel.h"

#include "UI/Formatters/DirectionIsolate.h"
#include "UI/Formatters/PopoverFormatters.h"
#include "UI/Ground/NamedColors.h"
#include "UI/SpeedTest/SpeedTestBlockModel.h"

namespace {

const QString megabitsPerSecond = QStringLiteral("Mbps");
const QString milliseconds = QStringLiteral("ms");

QString phaseLine(SpeedTestPhase phase) {
    switch (phase) {
    case SpeedTestPhase::idle:
        return QStringLiteral("Measure current download and upload throughput.");
    case SpeedTestPhase::download:
        return QStringLiteral("Running download phase...");
    case SpeedTestPhase::upload:
        return QStringLiteral("Running upload phase...");
    case SpeedTestPhase::completed:
        return QStringLiteral("Speed test completed.");
    case SpeedTestPhase::cancelled:
        return QStringLiteral("Speed test cancelled.");
    case SpeedTestPhase::failed:
        break;
    }
    return QStringLiteral("Speed test failed.");
}

bool isCapturingBaseline(const SpeedTestWindowInputs& inputs) {
    return inputs.isRunning && inputs.progress == 0 && !inputs.baselineLatencyMilliseconds &&
           inputs.baselineProbeFailedAttemptIndices.empty();
}

} // namespace

namespace SpeedTestWindowModel {

bool hasResult(const SpeedTestWindowInputs& inputs) {
    return inputs.latestResult || inputs.downloadMbps || inputs.uploadMbps;
}

SpeedTestWindowLayout layout(const SpeedTestWindowInputs& inputs) {
    return inputs.isRunning || hasResult(inputs) ? SpeedTestWindowLayout::results
                                                 : SpeedTestWindowLayout::empty;
}

QString statusText(const SpeedTestWindowInputs& inputs) {
    if (inputs.lastErrorMessage && inputs.phase == SpeedTestPhase::failed) {
        return *inputs.lastErrorMessage;
    }
    if (isCapturingBaseline(inputs)) {
        return QStringLiteral("Capturing baseline latency...");
    }
    return phaseLine(inputs.phase);
}

QString progressPercentText(double progress, const QLocale& locale) {
    return PopoverFormatters::percentValue(progress * 100, 0, locale);
}

QString lastTestedAtText(const std::optional<SpeedTestResult>& latestResult, Date now,
                         const QLocale& locale, const TimeZoneOffsets& timeZone) {
    if (!latestResult) {
        return QStringLiteral("Last tested at \u2014");
    }
    return QStringLiteral("Last tested at ") +
           DirectionIsolate::firstStrong(PopoverFormatters::timeOrDateAndTime(
               latestResult->timestamp, now, locale, timeZone)) +
           QLatin1Char('.');
}

std::optional<QString> failureMessage(const SpeedTestWindowInputs& inputs) {
    if (inputs.isRunning || inputs.phase != SpeedTestPhase::failed) {
        return std::nullopt;
    }
    return inputs.lastErrorMessage;
}

std::optional<BadgeContent> phaseBadge(SpeedTestPhase phase) {
    switch (phase) {
    case SpeedTestPhase::completed:
        return BadgeContent{QStringLiteral("Completed"), NamedColors::green};
    case SpeedTestPhase::cancelled:
        return BadgeContent{QStringLiteral("Cancelled"), NamedColors::orange};
    case SpeedTestPhase::failed:
        return BadgeContent{QStringLiteral("Failed"), NamedColors::red};
    case SpeedTestPhase::idle:
    case SpeedTestPhase::download:
    case SpeedTestPhase::upload:
        break;
    }
    return std::nullopt;
}

QString actionButtonTitle(const SpeedTestWindowInputs& inputs) {
    if (inputs.isRunning) {
        return QStringLiteral("Cancel");
    }
    return hasResult(inputs) ? QStringLiteral("Retest") : QStringLiteral("Run Test");
}

SpeedTestAction action(bool isRunning) {
    return isRunning ? SpeedTestAction::cancel : SpeedTestAction::start;
}

bool isDownloadPhaseFinalized(SpeedTestPhase phase) {
    return phase != SpeedTestPhase::idle && phase != SpeedTestPhase::download;
}

bool isUploadPhaseFinalized(SpeedTestPhase phase) {
    return isDownloadPhaseFinalized(phase) && phase != SpeedTestPhase::upload;
}

std::array<SpeedTestMetricTileContent, 2> throughputTiles(const SpeedTestWindowInputs& inputs,
                                                          const QLocale& locale) {
    using PopoverFormatters::decimalValue;
    return {{{QStringLiteral("Download"), QStringLiteral("arrow.down"),
              decimalValue(inputs.downloadMbps, megabitsPerSecond, 1, locale), NamedColors::green},
             {QStringLiteral("Upload"), QStringLiteral("arrow.up"),
              decimalValue(inputs.uploadMbps, megabitsPerSecond, 1, locale), NamedColors::red}}};
}

std::array<SpeedTestLatencyCellContent, 3> latencyCells(const SpeedTestWindowInputs& inputs,
                                                        const QLocale& locale) {
    using PopoverFormatters::decimalValue;
    return {{{QStringLiteral("Baseline"),
              decimalValue(inputs.baselineLatencyMilliseconds, milliseconds, 0, locale)},
             {QStringLiteral("Download Load"),
              decimalValue(inputs.downloadLoadedLatencyMilliseconds, milliseconds, 0, locale)},
             {QStringLiteral("Upload Load"),
              decimalValue(inputs.uploadLoadedLatencyMilliseconds, milliseconds, 0, locale)}}};
}

std::array<SpeedTestGradeTileContent, 2> gradeTiles(const SpeedTestWindowInputs& inputs,
                                                    const QLocale& locale) {
    using SpeedTestBlockModel::gradeTile;
    return {{gradeTile(QStringLiteral("Download"), inputs.downloadBufferbloatGrade,
                       inputs.downloadBufferbloatRatio, locale),
             gradeTile(QStringLiteral("Upload"), inputs.uploadBufferbloatGrade,
                       inputs.uploadBufferbloatRatio, locale)}};
}

std::array<SpeedTestInsightRowContent, 2> insightRows(const SpeedTestWindowInputs& inputs,
                                                      const QLocale& locale) {
    using SpeedTestBlockModel::insightRow;
    return {
        {insightRow(QStringLiteral("download"), QStringLiteral("arrow.down"),
                    inputs.baselineLatencyMilliseconds, inputs.downloadLoadedLatencyMilliseconds,
                    isDownloadPhaseFinalized(inputs.phase), inputs.downloadBufferbloatGrade,
                    locale),
         insightRow(QStringLiteral("upload"), QStringLiteral("arrow.up"),
                    inputs.baselineLatencyMilliseconds, inputs.uploadLoadedLatencyMilliseconds,
                    isUploadPhaseFinalized(inputs.phase), inputs.uploadBufferbloatGrade, locale)}};
}

SpeedTestWindowContent content(const SpeedTestWindowInputs& inputs, Date now, const QLocale& locale,
                               const TimeZoneOffsets& timeZone) {
    return {.layout = layout(inputs),
            .phaseBadge = phaseBadge(inputs.phase),
            .actionButtonTitle = actionButtonTitle(inputs),
            .action = action(inputs.isRunning),
            .showsProgressPanel = inputs.isRunning,
            .statusText = statusText(inputs),
            .progressPercentText = progressPercentText(inputs.progress, locale),
            .progress = inputs.progress,
            .failureMessage = failureMessage(inputs),
            .lastTestedAtText = lastTestedAtText(inputs.latestResult, now, locale, timeZone),
            .throughputTiles = throughputTiles(inputs, locale),
            .latencyCells = latencyCells(inputs, locale),
            .gradeTiles = gradeTiles(inputs, locale),
            .insightRows = insightRows(inputs, locale)};
}

} // namespace SpeedTestWindowModel
