#pragma once

#include "Core/DomainModels.h"

#include <cstdint>
#include <optional>

// The channel-scan monitor's published values the window shows, read afresh
// on every redraw.
struct ChannelScanWindowInputs {
    bool isScanning = false;
    std::optional<ChannelScanResult> latestResult;
    std::int64_t completedPasses = 0;
    std::int64_t totalPasses = 0;
};
