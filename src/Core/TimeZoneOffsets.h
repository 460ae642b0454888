#pragma once

#include "Core/Date.h"

#include <functional>

#include <QDateTime>
#include <QTimeZone>

// A zone as the offset from UTC its wall clock shows at each instant, and the
// wall-clock dates and times that follow from it. Offsets are whole seconds.
class TimeZoneOffsets {
public:
    // Seconds the wall clock is ahead of UTC at an instant.
    using Reading = std::function<int(Date)>;

    // `zone`'s offsets as Qt reads them; UTC's when it is not valid.
    // Implicit, so that a QTimeZone passes wherever a zone is asked for.
    TimeZoneOffsets(const QTimeZone& zone);
    explicit TimeZoneOffsets(Reading reading);

    int secondsAheadOfUtc(Date instant) const;
    // The wall clock at `instant`: its date and time of day at the offset of
    // that instant.
    QDateTime wallClock(Date instant) const;

private:
    Reading reading_;
};
