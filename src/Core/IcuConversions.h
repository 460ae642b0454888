#pragma once

#include "Core/TimeZoneOffsets.h"

#include <memory>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>
#include <unicode/utypes.h>

#include <QLocale>
#include <QString>

// Crossings between Qt's text and locale types and ICU's, for the formatters
// that go through ICU.
namespace IcuConversions {

icu::Locale toIcuLocale(const QLocale& locale);
QString toQString(const icu::UnicodeString& text);
// A zone for ICU to format `instant` (milliseconds since the epoch) in: fixed
// at the offset `timeZone` reads then. ICU thus follows that reading of every
// zone, POSIX rules and daylight time included, even where ICU lacks the
// zone's name or rules or reads its TZ otherwise. It is right for that one
// instant only, and is named as the unknown zone, so that a zone name in a
// pattern shows the offset itself.
std::unique_ptr<icu::TimeZone> toIcuTimeZone(const TimeZoneOffsets& timeZone, UDate instant);

} // namespace IcuConversions
