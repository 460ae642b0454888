#pragma once

#include "Core/CurrentTimeZone.h"
#include "Core/DomainModels.h"

#include <optional>

#include <QLocale>
#include <QString>

// The texts and grade of the captive portal card, from the captive-portal
// monitor's latest status alone.
namespace CaptivePortalCardModel {

// "Unknown" without a status, "Captive" or "Open Internet".
QString stateText(const std::optional<CaptivePortalStatus>& status);

// "Awaiting probes" without a status, else the detection reason in words.
QString reasonText(const std::optional<CaptivePortalStatus>& status);

// The portal URL's absolute string, "—" without one.
QString portalURLText(const std::optional<CaptivePortalStatus>& status);

// The check's time of day with seconds, in the locale's standard time style
// and the given time zone, without a date on the day of `now` and with the
// short date on any other; "—" without a status.
QString lastCheckedText(const std::optional<CaptivePortalStatus>& status, Date now,
                        const QLocale& locale = QLocale(),
                        const TimeZoneOffsets& timeZone = currentTimeZone());

// Warning without a status, poor behind a portal, good otherwise.
SignalQuality badgeQuality(const std::optional<CaptivePortalStatus>& status);

} // namespace CaptivePortalCardModel
