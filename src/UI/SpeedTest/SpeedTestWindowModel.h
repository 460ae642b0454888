#pragma once

#include "Core/CurrentTimeZone.h"
#include "Core/Date.h"
#include "UI/SpeedTest/SpeedTestWindowContent.h"
#include "UI/SpeedTest/SpeedTestWindowInputs.h"

#include <QLocale>

// The Speed Test window's layout, texts, tiles and rows as pure functions of
// the monitor's published values. Numbers and times follow `locale`; "today"
// is the calendar day of `now` in `timeZone`.
namespace SpeedTestWindowModel {

SpeedTestWindowContent content(const SpeedTestWindowInputs& inputs, Date now,
                               const QLocale& locale = QLocale(),
                               const TimeZoneOffsets& timeZone = currentTimeZone());

// A result, or the live throughput of either phase.
bool hasResult(const SpeedTestWindowInputs& inputs);
SpeedTestWindowLayout layout(const SpeedTestWindowInputs& inputs);

// The error message of a failed test, else "Capturing baseline latency..."
// while a test runs with no progress, no baseline and no failed baseline
// probe, else the phase's line.
QString statusText(const SpeedTestWindowInputs& inputs);
// The progress as a whole percentage, ties to even: "12%".
QString progressPercentText(double progress, const QLocale& locale = QLocale());
// "Last tested at —", or with the result's time (and its date when it is not
// today's) and a full stop.
QString lastTestedAtText(const std::optional<SpeedTestResult>& latestResult, Date now,
                         const QLocale& locale = QLocale(),
                         const TimeZoneOffsets& timeZone = currentTimeZone());
// Why the last test failed: the monitor's message once a failed test has
// ended; none for any other outcome.
std::optional<QString> failureMessage(const SpeedTestWindowInputs& inputs);

// "Completed" green, "Cancelled" orange, "Failed" red; none otherwise.
std::optional<BadgeContent> phaseBadge(SpeedTestPhase phase);
// "Cancel" while running, else "Retest" with a result, else "Run Test".
QString actionButtonTitle(const SpeedTestWindowInputs& inputs);
// What a click does, from the monitor's state at the moment of the click.
SpeedTestAction action(bool isRunning);

// Whether the test has moved past the download or the upload phase, so that
// a sample still missing will not arrive.
bool isDownloadPhaseFinalized(SpeedTestPhase phase);
bool isUploadPhaseFinalized(SpeedTestPhase phase);

std::array<SpeedTestMetricTileContent, 2> throughputTiles(const SpeedTestWindowInputs& inputs,
                                                          const QLocale& locale = QLocale());
std::array<SpeedTestLatencyCellContent, 3> latencyCells(const SpeedTestWindowInputs& inputs,
                                                        const QLocale& locale = QLocale());
std::array<SpeedTestGradeTileContent, 2> gradeTiles(const SpeedTestWindowInputs& inputs,
                                                    const QLocale& locale = QLocale());
std::array<SpeedTestInsightRowContent, 2> insightRows(const SpeedTestWindowInputs& inputs,
                                                      const QLocale& locale = QLocale());

} // namespace SpeedTestWindowModel
