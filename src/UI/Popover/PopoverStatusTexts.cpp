#include "UI/Popover/PopoverStatusTexts.h"

#include "UI/Formatters/PopoverFormatters.h"

#include <QUrl>

namespace {

const QString noWiFiMessage =
    QStringLiteral("No Wi-Fi connection detected. Connect to a network to see diagnostics.");

QString detectionPhrase(CaptivePortalDetectionReason reason) {
    switch (reason) {
    case CaptivePortalDetectionReason::none:
        return QStringLiteral("no anomalies");
    case CaptivePortalDetectionReason::redirect:
        return QStringLiteral("an HTTP redirect");
    case CaptivePortalDetectionReason::contentInjection:
        return QStringLiteral("unexpected probe content");
    }
    return QStringLiteral("no anomalies");
}

} // namespace

namespace PopoverStatusTexts {

std::optional<QString> disconnectedMessage(bool isConnected,
                                           const std::optional<WiFiSnapshot>& latestSnapshot) {
    if (!isConnected) {
        return noWiFiMessage;
    }
    if (latestSnapshot) {
        return std::nullopt;
    }
    return QStringLiteral("Connected. Waiting for the first Wi-Fi samples...");
}

QString routerLatencyText(bool isRouterIgnored, const std::optional<PingResult>& routerResult,
                          const QLocale& locale) {
    if (isRouterIgnored) {
        return QStringLiteral("ICMP blocked");
    }
    const std::optional<double> latency =
        routerResult ? routerResult->latencyMilliseconds : std::nullopt;
    return PopoverFormatters::decimalValue(latency, QStringLiteral("ms"), 1, locale);
}

QString connectionMonitorStatusText(const std::optional<QString>& lastErrorMessage,
                                    const std::optional<ConnectionPressureResult>& latestResult) {
    if (lastErrorMessage) {
        return *lastErrorMessage;
    }
    if (latestResult) {
        return QStringLiteral("Connection pressure is currently %1.")
            .arg(latestResult->quality.rawValue());
    }
    return QStringLiteral("Collecting TCP connection state counts from netstat.");
}

std::optional<QString>
captivePortalDetectedMessage(bool isMonitoringEnabled,
                             const std::optional<CaptivePortalStatus>& latestStatus) {
    if (!isMonitoringEnabled || !latestStatus || !latestStatus->isCaptivePortal) {
        return std::nullopt;
    }
    const QString portal =
        latestStatus->portalURL ? latestStatus->portalURL->toString(QUrl::FullyEncoded) : QString();
    if (portal.isEmpty()) {
        return QStringLiteral(
            "Captive portal detected. Login may be required before internet access works.");
    }
    return QStringLiteral("Captive portal detected. Login may be required at %1.").arg(portal);
}

QString captivePortalStatusText(const std::optional<QString>& lastErrorMessage,
                                const std::optional<CaptivePortalStatus>& latestStatus) {
    if (lastErrorMessage) {
        return *lastErrorMessage;
    }
    if (!latestStatus) {
        return QStringLiteral("Running periodic captive portal probes.");
    }
    if (!latestStatus->isCaptivePortal) {
        return QStringLiteral("No captive portal detected.");
    }
    return QStringLiteral("Captive portal detected via %1.")
        .arg(detectionPhrase(latestStatus->reason));
}

} // namespace PopoverStatusTexts
