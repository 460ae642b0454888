#pragma once

#include "Core/DomainModels.h"

#include <optional>

#include <QLocale>
#include <QString>

// The popover's status sentences, each computed from the monitors' current
// published values on every redraw.
namespace PopoverStatusTexts {

// From the Wi-Fi monitor's `isConnected` and `latestSnapshot`; absent once a
// connected link has a snapshot. Only read while monitoring is on.
std::optional<QString> disconnectedMessage(bool isConnected,
                                           const std::optional<WiFiSnapshot>& latestSnapshot);

// "ICMP blocked" while the router is ignored, otherwise its latency ("3.2 ms").
QString routerLatencyText(bool isRouterIgnored, const std::optional<PingResult>& routerResult,
                          const QLocale& locale = QLocale());

// The connection monitor's error, else its grade, else what it is doing.
QString connectionMonitorStatusText(const std::optional<QString>& lastErrorMessage,
                                    const std::optional<ConnectionPressureResult>& latestResult);

// The dashboard's warning while monitoring is on and a captive portal was found.
std::optional<QString>
captivePortalDetectedMessage(bool isMonitoringEnabled,
                             const std::optional<CaptivePortalStatus>& latestStatus);

// The captive-portal panel's sentence: the monitor's error, else its finding.
QString captivePortalStatusText(const std::optional<QString>& lastErrorMessage,
                                const std::optional<CaptivePortalStatus>& latestStatus);

} // namespace PopoverStatusTexts
