#pragma once

#include "Core/CurrentTimeZone.h"
#include "Core/DiagnosticsExport/DiagnosticsExportReport.h"
#include "UI/DiagnosticsExport/DiagnosticsSharePreviewCardContent.h"

#include <optional>

#include <QLocale>
#include <QString>

// The share preview card's texts from a report: the health badge, seven
// metric rows ("Unavailable" where a value is missing or cannot be shown) and
// the export time. Values read the same in every locale: plain ASCII digits,
// a point as the decimal separator.
namespace DiagnosticsSharePreviewCardModel {

inline const QString unavailable = QStringLiteral("Unavailable");

DiagnosticsSharePreviewCardContent content(const DiagnosticsExportReport& report,
                                           const QLocale& locale = QLocale(),
                                           const TimeZoneOffsets& timeZone = currentTimeZone());

// The exact raw value's state, disconnected for any other text.
HealthState badgeState(const QString& healthState);

// One decimal as "%.1f" writes it in the C locale (ties to even on the exact
// binary value), a blank and "ms"; "Unavailable" when missing or not finite.
QString millisecondsValue(std::optional<double> milliseconds);

// Both rates rounded half away from zero, "94 / 11 Mbps"; "Unavailable" when
// either is missing, not finite or beyond a 64-bit whole number.
QString speedValue(std::optional<double> download, std::optional<double> upload);

// "Updated " and the time in the locale's medium date and time styles.
QString footer(Date exportedAt, const QLocale& locale, const TimeZoneOffsets& timeZone);

} // namespace DiagnosticsSharePreviewCardModel
