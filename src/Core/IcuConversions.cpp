#include "Core/IcuConversions.h"

#include "Core/CurrentTimeZone.h"

#include <cmath>
#include <unicode/simpletz.h>

#include <QDateTime>

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

std::unique_ptr<icu::TimeZone> toIcuTimeZone(const QTimeZone& timeZone, UDate instant) {
    const QTimeZone zone = validOrUTC(timeZone);
    const auto milliseconds = static_cast<qint64>(std::floor(instant));
    const int offsetSeconds =
        zone.offsetFromUtc(QDateTime::fromMSecsSinceEpoch(milliseconds, QTimeZone::utc()));
    const QByteArray id = zone.id();
    return std::make_unique<icu::SimpleTimeZone>(
        offsetSeconds * 1000,
        icu::UnicodeString::fromUTF8(icu::StringPiece(id.constData(), int(id.size()))));
}

} // namespace IcuConversions
