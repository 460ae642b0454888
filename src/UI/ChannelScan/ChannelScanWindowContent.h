#pragma once

#include "UI/ChannelScan/ChannelScanCongestionRowContent.h"
#include "UI/ChannelScan/ChannelScanSelectionCardContent.h"

#include <optional>
#include <vector>

#include <QString>

// Which of the window's layouts shows: the empty one before the first result,
// the result one after it; each idle or while a scan runs.
enum class ChannelScanLayoutState { emptyIdle, emptyScanning, resultIdle, resultScanning };

// What the action button does when pressed.
enum class ChannelScanButtonAction { startScan, cancelScan };

// The latest result as the window shows it.
struct ChannelScanResultContent {
    QString networksSeenValue;
    QString passesValue;
    ChannelScanSelectionCardContent currentCard;
    ChannelScanSelectionCardContent recommendedCard;
    QString comparisonText;
    // Empty: the panel says no channel is available.
    std::vector<ChannelScanCongestionRowContent> rows;

    bool operator==(const ChannelScanResultContent&) const = default;
};

// Everything the Channel Scan window shows.
struct ChannelScanWindowContent {
    ChannelScanLayoutState layoutState = ChannelScanLayoutState::emptyIdle;
    QString actionTitle;
    bool showsHeaderActionButton = false;
    bool showsProgress = false;
    double progressFraction = 0; // passes completed, 0 to 1
    std::optional<ChannelScanResultContent> result;

    bool operator==(const ChannelScanWindowContent&) const = default;
};
