#include "Core/IcuConversions.h"

#include "Core/CurrentTimeZone.h"

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

std::unique_ptr<icu::TimeZone> toIcuTimeZone(const QTimeZone& timeZone) {
    const QByteArray id = validOrUTC(timeZone).id();
    return std::unique_ptr<icu::TimeZone>(icu::TimeZone::createTimeZone(
        icu::UnicodeString::fromUTF8(icu::StringPiece(id.constData(), int(id.size())))));
}

} // namespace IcuConversions
