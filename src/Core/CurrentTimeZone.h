#pragma once

#include <QTimeZone>

// The one place that decides which zone the application's dates, file-name
// stamps and midnights are read in.

// The system's zone, read afresh; UTC when the system names a zone the
// time-zone database lacks (an unknown TZ), so that no date text, stamp or
// midnight ever depends on an invalid zone.
QTimeZone currentTimeZone();

// `zone` itself, or UTC when it is not valid.
QTimeZone validOrUTC(const QTimeZone& zone);
