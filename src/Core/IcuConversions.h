#pragma once

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <QLocale>
#include <QString>

// Crossings between Qt's text and locale types and ICU's, for the formatters
// that go through ICU.
namespace IcuConversions {

icu::Locale toIcuLocale(const QLocale& locale);
QString toQString(const icu::UnicodeString& text);

} // namespace IcuConversions
