#pragma once

#include "Core/DomainModels.h"
#include "UI/Popover/ClosedRange.h"

#include <optional>
#include <vector>

#include <QString>

// What the connection monitor card shows, handed over by the popover on every
// redraw: the latest result, the status line, one history series per row
// (oldest first) and the one vertical range all five sparklines share.
struct ConnectionMonitorCardContent {
    std::optional<ConnectionPressureResult> latestResult;
    QString statusText;
    std::vector<double> establishedSamples;
    std::vector<double> timeWaitSamples;
    std::vector<double> closeWaitSamples;
    std::vector<double> totalSamples;
    std::vector<double> orphanedSamples;
    ClosedRange yDomain;
};
