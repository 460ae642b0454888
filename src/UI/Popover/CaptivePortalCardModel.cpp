#include "UI/Popover/CaptivePortalCardModel.h"

#include "UI/Formatters/PopoverFormatters.h"

#include <QUrl>

namespace {

const QString missingValue = QStringLiteral("\u2014");

} // namespace

namespace CaptivePortalCardModel {

QString stateText(const std::optional<CaptivePortalStatus>& status) {
    if (!status) {
        return QStringLiteral("Unknown");
    }
    return status->isCaptivePortal ? QStringLiteral("Captive") : QStringLiteral("Open Internet");
}

QString reasonText(const std::optional<CaptivePortalStatus>& status) {
    if (!status) {
        return QStringLiteral("Awaiting probes");
    }
    switch (status->reason) {
    case CaptivePortalDetectionReason::none:
        return QStringLiteral("No anomalies");
    case CaptivePortalDetectionReason::redirect:
        return QStringLiteral("HTTP redirect detected");
    case CaptivePortalDetectionReason::contentInjection:
        return QStringLiteral("Probe content mismatch");
    }
    return QStringLiteral("No anomalies");
}

QString portalURLText(const std::optional<CaptivePortalStatus>& status) {
    if (!status || !status->portalURL) {
        return missingValue;
    }
    const QString text = status->portalURL->toString(QUrl::FullyEncoded);
    return text.isEmpty() ? missingValue : text;
}

QString lastCheckedText(const std::optional<CaptivePortalStatus>& status, Date now,
                        const QLocale& locale, const TimeZoneOffsets& timeZone) {
    if (!status) {
        return missingValue;
    }
    return PopoverFormatters::timeOrDateAndTime(status->timestamp, now, locale, timeZone,
                                                PopoverFormatters::TimeOfDayStyle::mediumStyle);
}

SignalQuality badgeQuality(const std::optional<CaptivePortalStatus>& status) {
    if (!status) {
        return SignalQuality::warning;
    }
    return status->isCaptivePortal ? SignalQuality::poor : SignalQuality::good;
}

} // namespace CaptivePortalCardModel
