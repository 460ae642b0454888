#include "Core/IcuConversions.h"

#include <chrono>
#include <cmath>
#include <unicode/simpletz.h>
#include <unicode/ucal.h>

namespace IcuConversions {

icu::Locale toIcuLocale(const QLocale& locale) {
    // The language tag keeps the script, which the underscore name drops.
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale converted = icu::Locale::forLanguageTag(locale.bcp47Name().toStdString(), status);
    if (U_FAILURE(status) || converted.isBogus()) {
        return icu::Locale(locale.name().toStdString().c_str());
    }
    return converted;
}

QString toQString(const icu::UnicodeString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

std::unique_ptr<icu::TimeZone> toIcuTimeZone(const TimeZoneOffsets& timeZone, UDate instant) {
    const Date at{std::chrono::milliseconds(static_cast<std::int64_t>(std::floor(instant)))};
    return std::make_unique<icu::SimpleTimeZone>(
        timeZone.secondsAheadOfUtc(at) * 1000, icu::UnicodeString::fromUTF8(UCAL_UNKNOWN_ZONE_ID));
}

} // namespace IcuConversions
