#pragma once

#include "Core/DomainModels.h"
#include "UI/ChannelScan/ChannelScanSelectionSummary.h"
#include "UI/ChannelScan/ChannelScanWindowContent.h"
#include "UI/ChannelScan/ChannelScanWindowInputs.h"

#include <cstdint>
#include <optional>

#include <QColor>
#include <QLocale>
#include <QString>

// The Channel Scan window's layout, texts, rows and bars, as pure functions of
// the monitor's published values. Numbers in sentences and scores follow
// `locale`; counts are plain integers.
namespace ChannelScanWindowModel {

ChannelScanWindowContent content(const ChannelScanWindowInputs& inputs,
                                 const QLocale& locale = QLocale());

ChannelScanLayoutState layoutState(const ChannelScanWindowInputs& inputs);
// "Cancel" while scanning, else "Scan Now" before the first result and
// "Scan Again" after it.
QString actionTitle(const ChannelScanWindowInputs& inputs);
// Hidden only before the first result while idle: the centre holds it then.
bool shouldShowHeaderActionButton(const ChannelScanWindowInputs& inputs);
ChannelScanButtonAction buttonAction(const ChannelScanWindowInputs& inputs);
// Passes completed out of the passes of the run, at least 1; 0 to 1.
double progressFraction(std::int64_t completedPasses, std::int64_t totalPasses);

// The networks seen in one pass: the sightings of all passes over the pass
// count, rounded as the rows' counts are.
std::int64_t networksSeenPerPass(const ChannelScanResult& result);

ChannelScanResultContent resultContent(const ChannelScanResult& result,
                                       const QLocale& locale = QLocale());

ChannelScanSelectionCardContent
selectionCard(const QString& title, const std::optional<ChannelScanSelectionSummary>& selection,
              const QColor& accentColor, const QLocale& locale = QLocale());
ChannelScanCongestionRowContent congestionRow(const ChannelCongestionSample& sample,
                                              const ChannelScanResult& result,
                                              const QLocale& locale = QLocale());

// "Score " and the score with two fraction digits.
QString scoreText(double interferenceScore, const QLocale& locale = QLocale());
// "Ch 36 (5 GHz)".
QString selectionChannelText(std::int64_t channelNumber, WiFiBand band);
// "1 nearby network", else "N nearby networks".
QString networkCountText(std::int64_t networkCount);
// "1 network", else "N networks".
QString rowNetworkCountText(std::int64_t networkCount);

// The congestion held to 0...1; a value that is not finite counts as 0.
double heldCongestion(double normalizedCongestion);
// At least 2 wide, never wider than the track.
double congestionBarWidth(double normalizedCongestion, double trackWidth);
// Red from 0.67, orange from 0.34, else green; at opacity 0.82.
QColor congestionBarColor(double normalizedCongestion);

} // namespace ChannelScanWindowModel
