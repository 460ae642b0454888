#include "UI/Formatters/PopoverFormatters.h"

#include "Core/IcuConversions.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <tuple>
#include <unicode/datefmt.h>
#include <unicode/numberformatter.h>
#include <unicode/timezone.h>

namespace {

const QString missingValue = QStringLiteral("\u2014");

// ICU's bound on fraction digits.
constexpr int maximumPrecision = 999;

// A formatter is built once per locale and precision: building one costs
// far more than formatting, and every refresh formats a dozen values.
const icu::number::LocalizedNumberFormatter& numberFormatter(const QLocale& locale, int minimum,
                                                             int maximum) {
    using Key = std::tuple<QString, QString, int, int>;
    constexpr std::size_t mostFormatters = 64;
    thread_local std::map<Key, icu::number::LocalizedNumberFormatter> formatters;
    Key key{locale.bcp47Name(), locale.name(), minimum, maximum};
    const auto found = formatters.find(key);
    if (found != formatters.end()) {
        return found->second;
    }
    if (formatters.size() >= mostFormatters) {
        formatters.clear();
    }
    namespace number = icu::number;
    return formatters
        .emplace(std::move(key),
                 number::NumberFormatter::withLocale(IcuConversions::toIcuLocale(locale))
                     .precision(number::Precision::minMaxFraction(minimum, maximum))
                     .roundingMode(UNUM_ROUND_HALFEVEN)
                     .grouping(UNUM_GROUPING_AUTO))
        .first->second;
}

std::optional<QString> formattedNumber(std::optional<double> value, int minimumFractionDigits,
                                       int maximumFractionDigits, const QLocale& locale) {
    if (!value || !std::isfinite(*value)) {
        return std::nullopt;
    }
    const int minimum = std::clamp(minimumFractionDigits, 0, maximumPrecision);
    const int maximum = std::clamp(maximumFractionDigits, minimum, maximumPrecision);
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString text =
        numberFormatter(locale, minimum, maximum).formatDouble(*value, status).toString(status);
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    return IcuConversions::toQString(text);
}

std::optional<QString> formattedNumber(std::optional<double> value, int precision,
                                       const QLocale& locale) {
    return formattedNumber(value, precision, precision, locale);
}

UDate icuDate(Date instant) {
    const auto milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(instant.time_since_epoch());
    return static_cast<UDate>(milliseconds.count());
}

QString formatted(icu::DateFormat* formatter, Date instant, const TimeZoneOffsets& timeZone) {
    if (!formatter) {
        return missingValue;
    }
    const UDate at = icuDate(instant);
    formatter->adoptTimeZone(IcuConversions::toIcuTimeZone(timeZone, at).release());
    icu::UnicodeString text;
    formatter->format(at, text);
    return IcuConversions::toQString(text);
}

bool isSameDay(Date first, Date second, const TimeZoneOffsets& timeZone) {
    return timeZone.wallClock(first).date() == timeZone.wallClock(second).date();
}

icu::DateFormat::EStyle icuStyle(PopoverFormatters::TimeOfDayStyle style) {
    return style == PopoverFormatters::TimeOfDayStyle::shortStyle ? icu::DateFormat::kShort
                                                                  : icu::DateFormat::kMedium;
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

QString plainNumber(double value, int minimumFractionDigits, int maximumFractionDigits,
                    const QLocale& locale) {
    return formattedNumber(value, minimumFractionDigits, maximumFractionDigits, locale)
        .value_or(missingValue);
}

QString timeOfDay(Date instant, TimeOfDayStyle style, const QLocale& locale,
                  const TimeZoneOffsets& timeZone) {
    std::unique_ptr<icu::DateFormat> formatter(
        icu::DateFormat::createTimeInstance(icuStyle(style), IcuConversions::toIcuLocale(locale)));
    return formatted(formatter.get(), instant, timeZone);
}

QString timeOrDateAndTime(Date instant, Date now, const QLocale& locale,
                          const TimeZoneOffsets& timeZone, TimeOfDayStyle style) {
    if (isSameDay(instant, now, timeZone)) {
        return timeOfDay(instant, style, locale, timeZone);
    }
    std::unique_ptr<icu::DateFormat> formatter(icu::DateFormat::createDateTimeInstance(
        icu::DateFormat::kShort, icuStyle(style), IcuConversions::toIcuLocale(locale)));
    return formatted(formatter.get(), instant, timeZone);
}

} // namespace PopoverFormatters
