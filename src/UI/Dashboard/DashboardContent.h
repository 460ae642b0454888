#pragma once

#include "Core/DomainModels.h"
#include "UI/Dashboard/DashboardMessage.h"
#include "UI/Dashboard/LocationCardContent.h"
#include "UI/Dashboard/MetricTrendLine.h"

#include <array>
#include <optional>
#include <vector>

#include <QString>

// Everything the dashboard shows, computed from its inputs; the panel only
// paints it.
struct DashboardContent {
    HealthState healthState = HealthState::disconnected;
    bool isMonitoringEnabled = false;
    // "Monitoring" or "Paused".
    QString monitoringCapsuleText;
    // The message rows on show, top to bottom (at most three).
    std::vector<DashboardMessage> messages;
    // The network header row's inputs.
    std::optional<WiFiSnapshot> wifiSnapshot;
    bool isWiFiConnected = false;
    // Link Rate, SNR, Signal, Noise.
    std::array<MetricTrendLine, 4> wifiLines;
    // Router Ping, Internet Ping, Jitter.
    std::array<MetricTrendLine, 3> latencyLines;
    QString packetLossValue;
    QString dnsDomain;
    MetricTrendLine dnsLookupLine;
    LocationCardContent location;

    bool operator==(const DashboardContent&) const = default;
};
