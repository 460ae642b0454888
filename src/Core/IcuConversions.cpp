#include "Core/IcuConversions.h"

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

} // namespace IcuConversions
