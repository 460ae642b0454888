#pragma once

#include "Core/Date.h"
#include "Core/RawTextEnum.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include <QString>

// The diagnostics report, schema version 2, as the export window keeps it and writes it. Every
// field's JSON key is the field's name; an absent optional is left out of the document. The
// builder makes every value memberwise; nothing here refers back to a monitor or a result.
struct DiagnosticsExportReport {
    struct SectionStatusCases {
        enum Value { available, unavailable };
        static constexpr std::array<std::string_view, 2> rawTexts{"available", "unavailable"};
    };
    // "available" exactly when the section carries its data.
    using SectionStatus = RawTextEnum<SectionStatusCases>;

    struct AppSection {
        QString name;
        std::optional<QString> version = std::nullopt;
        std::optional<QString> build = std::nullopt;

        bool operator==(const AppSection&) const = default;
    };

    struct RuntimeSection {
        bool monitoringEnabled;
        bool batteryFriendlyModeEnabled;
        QString healthState;
        std::optional<Date> diagnosticsCapturedAt = std::nullopt;

        bool operator==(const RuntimeSection&) const = default;
    };

    // One measurement section: whether it is available, the monitor's error text beside it, and
    // its payload when there is one.
    template <class Payload> struct SectionEnvelope {
        SectionStatus status;
        std::optional<QString> errorMessage = std::nullopt;
        std::optional<Payload> data = std::nullopt;

        bool operator==(const SectionEnvelope&) const = default;
    };

    struct WiFiData {
        std::optional<Date> capturedAt = std::nullopt;
        std::optional<QString> ssid = std::nullopt;
        std::optional<QString> bssid = std::nullopt;
        std::optional<std::int64_t> rssiDbm = std::nullopt;
        std::optional<std::int64_t> noiseFloorDbm = std::nullopt;
        std::optional<std::int64_t> snrDb = std::nullopt;
        std::optional<std::int64_t> linkRateMbps = std::nullopt;
        std::optional<std::int64_t> channelNumber = std::nullopt;
        std::optional<QString> band = std::nullopt;
        std::optional<QString> ipAddress = std::nullopt;
        std::optional<bool> vpnActive = std::nullopt;

        bool operator==(const WiFiData&) const = default;
    };

    struct LatencySection {
        struct PingMetric {
            std::optional<Date> capturedAt = std::nullopt;
            std::optional<double> latencyMilliseconds = std::nullopt;
            std::optional<double> jitterMilliseconds = std::nullopt;
            std::optional<double> packetLossPercent = std::nullopt;
            std::optional<bool> didSucceed = std::nullopt;

            bool operator==(const PingMetric&) const = default;
        };

        struct DNSMetric {
            std::optional<Date> capturedAt = std::nullopt;
            std::optional<QString> domain = std::nullopt;
            std::optional<double> latencyMilliseconds = std::nullopt;
            std::optional<bool> didSucceed = std::nullopt;

            bool operator==(const DNSMetric&) const = default;
        };

        SectionEnvelope<PingMetric> routerPing;
        SectionEnvelope<PingMetric> internetPing;
        SectionEnvelope<DNSMetric> dnsLookup;

        bool operator==(const LatencySection&) const = default;
    };

    struct ConnectionPressureData {
        std::optional<Date> capturedAt = std::nullopt;
        std::optional<QString> quality = std::nullopt;
        std::optional<std::int64_t> establishedCount = std::nullopt;
        std::optional<std::int64_t> timeWaitCount = std::nullopt;
        std::optional<std::int64_t> closeWaitCount = std::nullopt;
        std::optional<std::int64_t> totalCount = std::nullopt;
        std::optional<std::int64_t> orphanedCount = std::nullopt;

        bool operator==(const ConnectionPressureData&) const = default;
    };

    struct CaptivePortalData {
        std::optional<Date> capturedAt = std::nullopt;
        std::optional<bool> isCaptivePortal = std::nullopt;
        std::optional<QString> reason = std::nullopt;
        std::optional<QString> portalURL = std::nullopt;
        std::optional<QString> probeURL = std::nullopt;

        bool operator==(const CaptivePortalData&) const = default;
    };

    struct SpeedTestData {
        std::optional<Date> capturedAt = std::nullopt;
        std::optional<double> downloadMbps = std::nullopt;
        std::optional<double> uploadMbps = std::nullopt;
        std::optional<double> baselineLatencyMilliseconds = std::nullopt;
        std::optional<double> downloadLoadedLatencyMilliseconds = std::nullopt;
        std::optional<double> uploadLoadedLatencyMilliseconds = std::nullopt;
        std::optional<QString> downloadBufferbloatGrade = std::nullopt;
        std::optional<QString> uploadBufferbloatGrade = std::nullopt;
        std::optional<bool> didSucceed = std::nullopt;

        bool operator==(const SpeedTestData&) const = default;
    };

    // The speed test's section has no envelope: the envelope's members with the phase besides.
    struct SpeedTestSection {
        QString phase;
        SectionStatus status;
        std::optional<QString> errorMessage = std::nullopt;
        std::optional<SpeedTestData> data = std::nullopt;

        bool operator==(const SpeedTestSection&) const = default;
    };

    struct ChannelScanData {
        std::optional<Date> capturedAt = std::nullopt;
        std::optional<std::int64_t> passCount = std::nullopt;
        std::optional<std::int64_t> scannedNetworkCount = std::nullopt;
        std::optional<std::int64_t> currentChannelNumber = std::nullopt;
        std::optional<QString> currentBand = std::nullopt;
        std::optional<double> currentChannelInterferenceScore = std::nullopt;
        std::optional<std::int64_t> suggestedChannelNumber = std::nullopt;
        std::optional<QString> suggestedBand = std::nullopt;
        std::optional<bool> didSucceed = std::nullopt;

        bool operator==(const ChannelScanData&) const = default;
    };

    std::int64_t schemaVersion;
    Date exportedAt;
    AppSection app;
    RuntimeSection runtime;
    SectionEnvelope<WiFiData> wifi;
    LatencySection latency;
    SectionEnvelope<ConnectionPressureData> connectionPressure;
    SectionEnvelope<CaptivePortalData> captivePortal;
    SpeedTestSection speedTest;
    SectionEnvelope<ChannelScanData> channelScan;

    bool operator==(const DiagnosticsExportReport&) const = default;
};
