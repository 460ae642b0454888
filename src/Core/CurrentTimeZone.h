#pragma once

#include "Core/TimeZoneOffsets.h"

// The one place that decides which zone the application's dates, file-name
// stamps and midnights are read in.

// The system's zone as the C library reads it, read afresh at each instant
// asked about: TZ as POSIX reads it ("UTC+12" is twelve hours west of UTC), or
// the system's zone file. Qt's and ICU's own readings of TZ differ from it for
// some values and are not used. UTC where the library knows no offset (a zone
// file that is missing, an instant beyond its range).
TimeZoneOffsets currentTimeZone();
