#pragma once

#include "Core/CurrentTimeZone.h"
#include "Core/Date.h"

#include <optional>

#include <QLocale>
#include <QString>

// The short value texts of the popover's and tool windows' metric rows. Numbers
// are formatted for `locale` (by default the current one) with exactly
// `precision` fraction digits, ties rounded to even, and the locale's grouping
// and decimal separator. A missing value, and one that is not finite, shows as
// "—" alone.
namespace PopoverFormatters {

// The number, a blank and the unit: "12.3 ms".
QString decimalValue(std::optional<double> value, const QString& unit, int precision,
                     const QLocale& locale = QLocale());

// A percentage already on the 0-100 scale, "%" directly after it: "12%".
QString percentValue(std::optional<double> value, int precision, const QLocale& locale = QLocale());

// The bare number with at least `minimumFractionDigits` and at most
// `maximumFractionDigits` fraction digits (trailing zeros beyond the minimum
// dropped): "1,234.5".
QString plainNumber(double value, int minimumFractionDigits, int maximumFractionDigits,
                    const QLocale& locale = QLocale());

enum class TimeOfDayStyle {
    shortStyle,  // hours and minutes: "3:41 PM"
    mediumStyle, // with seconds: "3:41:27 PM"
};

// The time of day of `instant` in `timeZone`, without a date, in the locale's
// time style.
QString timeOfDay(Date instant, TimeOfDayStyle style, const QLocale& locale = QLocale(),
                  const TimeZoneOffsets& timeZone = currentTimeZone());

// The time alone, in `style`, when `instant` falls on the calendar day of
// `now` in `timeZone`, otherwise the short date and the time, so that another
// day's time never reads as today's.
QString timeOrDateAndTime(Date instant, Date now, const QLocale& locale = QLocale(),
                          const TimeZoneOffsets& timeZone = currentTimeZone(),
                          TimeOfDayStyle style = TimeOfDayStyle::shortStyle);

} // namespace PopoverFormatters
