#pragma once

#include "UI/Popover/BadgeContent.h"
#include "UI/SpeedTest/SpeedTestAction.h"
#include "UI/SpeedTest/SpeedTestGradeTileContent.h"
#include "UI/SpeedTest/SpeedTestInsightRowContent.h"
#include "UI/SpeedTest/SpeedTestLatencyCellContent.h"
#include "UI/SpeedTest/SpeedTestMetricTileContent.h"
#include "UI/SpeedTest/SpeedTestWindowLayout.h"

#include <array>
#include <optional>

#include <QString>

// Everything the Speed Test window shows, computed from the monitor's values;
// the view only paints it.
struct SpeedTestWindowContent {
    SpeedTestWindowLayout layout = SpeedTestWindowLayout::empty;
    // The header's phase badge once a test has ended.
    std::optional<BadgeContent> phaseBadge;
    // "Cancel", "Retest" or "Run Test"; in the header in the results layout,
    // under the empty-state text otherwise.
    QString actionButtonTitle;
    SpeedTestAction action = SpeedTestAction::start;
    // The status line, percentage and bar, only while a test runs.
    bool showsProgressPanel = false;
    QString statusText;
    QString progressPercentText;
    double progress = 0;
    // Why the last test failed, once it has ended.
    std::optional<QString> failureMessage;
    // The footer of the results layout.
    QString lastTestedAtText;
    // Download, Upload.
    std::array<SpeedTestMetricTileContent, 2> throughputTiles;
    // Baseline, Download Load, Upload Load.
    std::array<SpeedTestLatencyCellContent, 3> latencyCells;
    // Download, Upload.
    std::array<SpeedTestGradeTileContent, 2> gradeTiles;
    std::array<SpeedTestInsightRowContent, 2> insightRows;

    bool operator==(const SpeedTestWindowContent&) const = default;
};
