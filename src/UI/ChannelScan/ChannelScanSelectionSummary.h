#pragma once

#include "Core/DomainModels.h"

#include <cstdint>

// One chosen channel of a scan result, as a selection card shows it.
struct ChannelScanSelectionSummary {
    std::int64_t channelNumber;
    WiFiBand band;
    double interferenceScore;
    std::int64_t networkCount;
};
