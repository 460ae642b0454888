#pragma once

#include "Core/DomainModels.h"
#include "UI/ChannelScan/ChannelScanSelectionSummary.h"

#include <optional>

#include <QLocale>
#include <QString>

// The channels the "Current" and "Recommended" cards show, and the sentence
// comparing their interference. Percentages follow `locale`.
namespace ChannelScanRecommendation {

// Absent without a current channel. The figures come from the current
// channel's sample in the current band; without one, the band is the
// sample's or "Unknown", the score the result's current score or 0.
std::optional<ChannelScanSelectionSummary> currentSelection(const ChannelScanResult& result);

// Absent without a suggested channel or band; 0 and 0 without a sample.
std::optional<ChannelScanSelectionSummary> recommendedSelection(const ChannelScanResult& result);

QString recommendationDeltaText(const ChannelScanResult& result, const QLocale& locale = QLocale());

} // namespace ChannelScanRecommendation
