#pragma once

#include <memory>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <QLocale>
#include <QString>
#include <QTimeZone>

// Crossings between Qt's text and locale types and ICU's, for the formatters
// that go through ICU.
namespace IcuConversions {

icu::Locale toIcuLocale(const QLocale& locale);
QString toQString(const icu::UnicodeString& text);
// ICU's zone of the same name; UTC for a zone that is not valid.
std::unique_ptr<icu::TimeZone> toIcuTimeZone(const QTimeZone& timeZone);

} // namespace IcuConversions
