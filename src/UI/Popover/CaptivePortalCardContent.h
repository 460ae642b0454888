#pragma once

#include "Core/Date.h"
#include "Core/DomainModels.h"

#include <optional>

#include <QString>

// What the captive portal card shows, handed over by the popover on every
// redraw: the monitor's latest status and the status line, and the moment of
// the redraw, whose day the check's time is read against.
struct CaptivePortalCardContent {
    std::optional<CaptivePortalStatus> latestStatus;
    QString statusText;
    Date now{};
};
