#pragma once

#include "Core/Date.h"
#include "Core/DomainModels.h"

#include <optional>

#include <QString>

// A still picture of what the monitors hold at the moment of an export: everything the report
// builder reads, so that the same input always gives the same report.
struct DiagnosticsExportInput {
    Date exportedAt{};
    std::optional<QString> appVersion = std::nullopt;
    std::optional<QString> appBuild = std::nullopt;
    bool monitoringEnabled = false;
    bool batteryFriendlyModeEnabled = false;
    std::optional<DiagnosticsSnapshot> diagnosticsSnapshot = std::nullopt;
    std::optional<ConnectionPressureResult> connectionResult = std::nullopt;
    std::optional<QString> connectionLastErrorMessage = std::nullopt;
    std::optional<CaptivePortalStatus> captivePortalStatus = std::nullopt;
    std::optional<QString> captivePortalLastErrorMessage = std::nullopt;
    std::optional<SpeedTestResult> speedTestResult = std::nullopt;
    SpeedTestPhase speedTestPhase = SpeedTestPhase::idle;
    std::optional<QString> speedTestLastErrorMessage = std::nullopt;
    std::optional<ChannelScanResult> channelScanResult = std::nullopt;
    std::optional<QString> channelScanLastErrorMessage = std::nullopt;

    bool operator==(const DiagnosticsExportInput&) const = default;
};
