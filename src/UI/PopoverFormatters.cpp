#include "UI/PopoverFormatters.h"

#include "Core/IcuConversions.h"

#include <algorithm>
#include <cmath>
#include <unicode/numberformatter.h>

namespace {

const QString missingValue = QStringLiteral("\u2014");

// ICU's bound on fraction digits.
constexpr int maximumPrecision = 999;

std::optional<QString> formattedNumber(std::optional<double> value, int precision,
                                       const QLocale& locale) {
    if (!value || !std::isfinite(*value)) {
        return std::nullopt;
    }
    namespace number = icu::number;
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString text =
        number::NumberFormatter::withLocale(IcuConversions::toIcuLocale(locale))
            .precision(number::Precision::fixedFraction(std::clamp(precision, 0, maximumPrecision)))
            .roundingMode(UNUM_ROUND_HALFEVEN)
            .grouping(UNUM_GROUPING_AUTO)
            .formatDouble(*value, status)
            .toString(status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    return IcuConversions::toQString(text);
}

} // namespace

namespace PopoverFormatters {

QString decimalValue(std::optional<double> value, const QString& unit, int precision,
                     const QLocale& locale) {
    const auto number = formattedNumber(value, precision, locale);
    return number ? *number + QLatin1Char(' ') + unit : missingValue;
}

QString percentValue(std::optional<double> value, int precision, const QLocale& locale) {
    const auto number = formattedNumber(value, precision, locale);
    return number ? *number + QLatin1Char('%') : missingValue;
}

} // namespace PopoverFormatters
