#pragma once

#include "Core/DomainModels.h"

#include <optional>

#include <QString>

// What the captive portal card shows, handed over by the popover on every
// redraw: the monitor's latest status and the status line.
struct CaptivePortalCardContent {
    std::optional<CaptivePortalStatus> latestStatus;
    QString statusText;
};
