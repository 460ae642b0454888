#pragma once

#include "Core/Date.h"
#include "Core/RawTextEnum.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include <QString>
#include <QUrl>

// The value types that carry every measurement between the probes, the monitors, the popover,
// the tool windows and the diagnostics export. They hold data only and are built memberwise.

struct WiFiBandCases {
    enum Value { twoPointFourGigahertz, fiveGigahertz, sixGigahertz, unknown };
    static constexpr std::array<std::string_view, 4> rawTexts{"2.4 GHz", "5 GHz", "6 GHz",
                                                              "Unknown"};
};
using WiFiBand = RawTextEnum<WiFiBandCases>;

// The three-step grade of a single metric, best first.
struct SignalQualityCases {
    enum Value { good, warning, poor };
    static constexpr std::array<std::string_view, 3> rawTexts{"good", "warning", "poor"};
};
using SignalQuality = RawTextEnum<SignalQualityCases>;

// The overall state; `disconnected` means no grade applies (monitoring off or no Wi-Fi link).
struct HealthStateCases {
    enum Value { good, warning, poor, disconnected };
    static constexpr std::array<std::string_view, 4> rawTexts{"good", "warning", "poor",
                                                              "disconnected"};
};
using HealthState = RawTextEnum<HealthStateCases>;

// The default gateway or the internet target.
struct PingTargetCases {
    enum Value { router, internet };
    static constexpr std::array<std::string_view, 2> rawTexts{"router", "internet"};
};
using PingTarget = RawTextEnum<PingTargetCases>;

struct CaptivePortalDetectionReasonCases {
    enum Value { none, redirect, contentInjection };
    static constexpr std::array<std::string_view, 3> rawTexts{"none", "redirect",
                                                              "contentInjection"};
};
using CaptivePortalDetectionReason = RawTextEnum<CaptivePortalDetectionReasonCases>;

struct SpeedTestPhaseCases {
    enum Value { idle, download, upload, completed, cancelled, failed };
    static constexpr std::array<std::string_view, 6> rawTexts{"idle",      "download",  "upload",
                                                              "completed", "cancelled", "failed"};
};
using SpeedTestPhase = RawTextEnum<SpeedTestPhaseCases>;

// Grade of a bufferbloat ratio, A best; there is no D or E.
struct BufferbloatGradeCases {
    enum Value { a, b, c, f };
    static constexpr std::array<std::string_view, 4> rawTexts{"A", "B", "C", "F"};
};
using BufferbloatGrade = RawTextEnum<BufferbloatGradeCases>;

// Texts compare by canonical Unicode equivalence, every other field exactly.
struct WiFiSnapshot {
    Date timestamp;
    std::optional<QString> ssid;
    std::optional<QString> bssid;
    std::int64_t rssiDbm;
    std::int64_t noiseFloorDbm;
    std::int64_t snrDb;
    std::optional<std::int64_t> linkRateMbps;
    std::optional<std::int64_t> channelNumber;
    std::optional<WiFiBand> band;
    std::optional<QString> ipAddress;
    bool isVPNActive;

    bool operator==(const WiFiSnapshot& other) const;
};

struct PingResult {
    PingTarget target;
    Date timestamp;
    std::optional<double> latencyMilliseconds;
    std::optional<double> jitterMilliseconds;
    double packetLossPercent;
    bool didSucceed;

    bool operator==(const PingResult&) const = default;
};

// The domain compares by canonical Unicode equivalence, every other field exactly.
struct DNSResult {
    QString domain;
    Date timestamp;
    std::optional<double> latencyMilliseconds;
    bool didSucceed;

    bool operator==(const DNSResult& other) const;
};

struct TCPConnectionStateCounts {
    std::int64_t established;
    std::int64_t timeWait;
    std::int64_t closeWait;

    bool operator==(const TCPConnectionStateCounts&) const = default;
};

struct ConnectionPressureResult {
    Date timestamp;
    TCPConnectionStateCounts counts;
    SignalQuality quality;

    bool operator==(const ConnectionPressureResult&) const = default;
};

struct CaptivePortalStatus {
    Date timestamp;
    bool isCaptivePortal;
    std::optional<QUrl> portalURL;
    std::optional<QUrl> probeURL;
    CaptivePortalDetectionReason reason;

    bool operator==(const CaptivePortalStatus&) const = default;
};

struct ChannelCongestionSample {
    std::int64_t channelNumber;
    WiFiBand band;
    std::int64_t networkCount;
    double averageRSSIDbm;
    double interferenceScore;
    double normalizedCongestion;

    bool operator==(const ChannelCongestionSample&) const = default;
};

struct ChannelScanResult {
    Date timestamp;
    std::int64_t passCount;
    std::int64_t scannedNetworkCount;
    std::vector<ChannelCongestionSample> channels;
    std::optional<std::int64_t> currentChannelNumber;
    std::optional<WiFiBand> currentBand;
    std::optional<double> currentChannelInterferenceScore;
    std::optional<std::int64_t> suggestedChannelNumber;
    std::optional<WiFiBand> suggestedBand;
    bool didSucceed;

    bool operator==(const ChannelScanResult&) const = default;
};

struct SpeedTestResult {
    Date timestamp;
    double downloadMbps;
    double uploadMbps;
    std::optional<double> baselineLatencyMilliseconds;
    std::optional<double> downloadLoadedLatencyMilliseconds;
    std::optional<double> uploadLoadedLatencyMilliseconds;
    std::optional<double> downloadBufferbloatRatio;
    std::optional<double> uploadBufferbloatRatio;
    std::optional<BufferbloatGrade> downloadBufferbloatGrade;
    std::optional<BufferbloatGrade> uploadBufferbloatGrade;
    bool didSucceed;

    bool operator==(const SpeedTestResult&) const = default;
};

struct DiagnosticsSnapshot {
    Date timestamp;
    std::optional<WiFiSnapshot> wifiSnapshot;
    std::optional<PingResult> routerPingResult;
    std::optional<PingResult> internetPingResult;
    std::optional<DNSResult> dnsResult;
    HealthState healthState;

    bool operator==(const DiagnosticsSnapshot&) const = default;
};
