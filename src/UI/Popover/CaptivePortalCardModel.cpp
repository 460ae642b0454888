#include "UI/Popover/CaptivePortalCardModel.h"

#include "Core/IcuConversions.h"

#include <chrono>
#include <memory>
#include <unicode/datefmt.h>
#include <unicode/timezone.h>

#include <QUrl>

namespace {

const QString missingValue = QStringLiteral("\u2014");

std::unique_ptr<icu::TimeZone> icuTimeZone(const QTimeZone& timeZone) {
    if (!timeZone.isValid()) {
        return std::unique_ptr<icu::TimeZone>(icu::TimeZone::createDefault());
    }
    const QByteArray id = timeZone.id();
    return std::unique_ptr<icu::TimeZone>(icu::TimeZone::createTimeZone(
        icu::UnicodeString::fromUTF8(icu::StringPiece(id.constData(), int(id.size())))));
}

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

QString lastCheckedText(const std::optional<CaptivePortalStatus>& status, const QLocale& locale,
                        const QTimeZone& timeZone) {
    if (!status) {
        return missingValue;
    }
    std::unique_ptr<icu::DateFormat> formatter(icu::DateFormat::createTimeInstance(
        icu::DateFormat::kMedium, IcuConversions::toIcuLocale(locale)));
    if (!formatter) {
        return missingValue;
    }
    formatter->adoptTimeZone(icuTimeZone(timeZone).release());
    const auto milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(status->timestamp.time_since_epoch());
    icu::UnicodeString text;
    formatter->format(static_cast<UDate>(milliseconds.count()), text);
    return IcuConversions::toQString(text);
}

SignalQuality badgeQuality(const std::optional<CaptivePortalStatus>& status) {
    if (!status) {
        return SignalQuality::warning;
    }
    return status->isCaptivePortal ? SignalQuality::poor : SignalQuality::good;
}

} // namespace CaptivePortalCardModel
