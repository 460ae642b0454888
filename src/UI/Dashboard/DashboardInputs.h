#pragma once

#include "Core/DomainModels.h"
#include "System/LocationPermissionStatus.h"

#include <optional>
#include <vector>

#include <QString>

// The published values the dashboard shows, read afresh from the shared
// controllers and monitors on every redraw.
struct DashboardInputs {
    // Lifecycle controller.
    bool isMonitoringEnabled = false;
    QString monitoringStatusText;
    // Health aggregation.
    HealthState healthState = HealthState::disconnected;
    // Wi-Fi monitor.
    bool isWiFiConnected = false;
    std::optional<WiFiSnapshot> latestSnapshot;
    std::vector<WiFiSnapshot> wifiHistory;
    // Ping monitor.
    bool isRouterIgnored = false;
    std::optional<PingResult> routerResult;
    std::optional<PingResult> internetResult;
    std::vector<PingResult> routerHistory;
    std::vector<PingResult> internetHistory;
    // DNS monitor.
    std::optional<DNSResult> dnsResult;
    std::vector<DNSResult> dnsHistory;
    // Captive-portal monitor.
    std::optional<CaptivePortalStatus> captivePortalStatus;
    // Location permission.
    LocationPermissionStatus locationStatus = LocationPermissionStatus::notDetermined;
};
