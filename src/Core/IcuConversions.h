#pragma once

#include <memory>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>
#include <unicode/utypes.h>

#include <QLocale>
#include <QString>
#include <QTimeZone>

// Crossings between Qt's text and locale types and ICU's, for the formatters
// that go through ICU.
namespace IcuConversions {

icu::Locale toIcuLocale(const QLocale& locale);
QString toQString(const icu::UnicodeString& text);
// A zone for ICU to format `instant` (milliseconds since the epoch) in: fixed
// at the offset Qt reads for `timeZone` then (UTC for a zone that is not
// valid). ICU thus follows Qt's reading of every zone, POSIX rules and
// daylight time included, even where ICU lacks the zone's name or rules. It
// is right for that one instant only.
std::unique_ptr<icu::TimeZone> toIcuTimeZone(const QTimeZone& timeZone, UDate instant);

} // namespace IcuConversions
