#pragma once

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

} // namespace PopoverFormatters
