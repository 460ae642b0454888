#include "Core/DiagnosticsExport/DiagnosticsExportReportBuilder.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>

#include <QString>
#include <QUrl>

namespace DiagnosticsExportReportBuilder {
namespace {

using Report = DiagnosticsExportReport;
using Status = Report::SectionStatus;

// A number that is not finite cannot be written as JSON; it is left out, as an absent value.
std::optional<double> finite(double value) {
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::optional<double> finite(const std::optional<double>& value) {
    return value ? finite(*value) : std::nullopt;
}

// Exact in 128 bits, so that only a sum that itself leaves the 64-bit range is left out.
__extension__ typedef __int128 WideInteger;

std::optional<std::int64_t> exactSum(std::initializer_list<std::int64_t> terms) {
    WideInteger sum = 0;
    for (const std::int64_t term : terms) {
        sum += term;
    }
    if (sum > std::numeric_limits<std::int64_t>::max() ||
        sum < std::numeric_limits<std::int64_t>::min()) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(sum);
}

template <class Enumeration>
std::optional<QString> rawText(const std::optional<Enumeration>& value) {
    return value ? std::optional<QString>(value->rawValue()) : std::nullopt;
}

std::optional<QString> absoluteString(const std::optional<QUrl>& url) {
    return url ? std::optional<QString>(url->toString(QUrl::FullyEncoded)) : std::nullopt;
}

Report::WiFiData wifiData(const WiFiSnapshot& snapshot) {
    return {.capturedAt = snapshot.timestamp,
            .ssid = snapshot.ssid,
            .bssid = snapshot.bssid,
            .rssiDbm = snapshot.rssiDbm,
            .noiseFloorDbm = snapshot.noiseFloorDbm,
            .snrDb = snapshot.snrDb,
            .linkRateMbps = snapshot.linkRateMbps,
            .channelNumber = snapshot.channelNumber,
            .band = rawText(snapshot.band),
            .ipAddress = snapshot.ipAddress,
            .vpnActive = snapshot.isVPNActive};
}

Report::LatencySection::PingMetric pingMetric(const PingResult& result) {
    return {.capturedAt = result.timestamp,
            .latencyMilliseconds = finite(result.latencyMilliseconds),
            .jitterMilliseconds = finite(result.jitterMilliseconds),
            .packetLossPercent = finite(result.packetLossPercent),
            .didSucceed = result.didSucceed};
}

Report::LatencySection::DNSMetric dnsMetric(const DNSResult& result) {
    return {.capturedAt = result.timestamp,
            .domain = result.domain,
            .latencyMilliseconds = finite(result.latencyMilliseconds),
            .didSucceed = result.didSucceed};
}

Report::ConnectionPressureData connectionPressureData(const ConnectionPressureResult& result) {
    const TCPConnectionStateCounts& counts = result.counts;
    return {.capturedAt = result.timestamp,
            .quality = result.quality.rawValue(),
            .establishedCount = counts.established,
            .timeWaitCount = counts.timeWait,
            .closeWaitCount = counts.closeWait,
            .totalCount = exactSum({counts.established, counts.timeWait, counts.closeWait}),
            .orphanedCount = exactSum({counts.timeWait, counts.closeWait})};
}

Report::CaptivePortalData captivePortalData(const CaptivePortalStatus& status) {
    return {.capturedAt = status.timestamp,
            .isCaptivePortal = status.isCaptivePortal,
            .reason = status.reason.rawValue(),
            .portalURL = absoluteString(status.portalURL),
            .probeURL = absoluteString(status.probeURL)};
}

Report::SpeedTestData speedTestData(const SpeedTestResult& result) {
    return {.capturedAt = result.timestamp,
            .downloadMbps = finite(result.downloadMbps),
            .uploadMbps = finite(result.uploadMbps),
            .baselineLatencyMilliseconds = finite(result.baselineLatencyMilliseconds),
            .downloadLoadedLatencyMilliseconds = finite(result.downloadLoadedLatencyMilliseconds),
            .uploadLoadedLatencyMilliseconds = finite(result.uploadLoadedLatencyMilliseconds),
            .downloadBufferbloatGrade = rawText(result.downloadBufferbloatGrade),
            .uploadBufferbloatGrade = rawText(result.uploadBufferbloatGrade),
            .didSucceed = result.didSucceed};
}

Report::ChannelScanData channelScanData(const ChannelScanResult& result) {
    return {.capturedAt = result.timestamp,
            .passCount = result.passCount,
            .scannedNetworkCount = result.scannedNetworkCount,
            .currentChannelNumber = result.currentChannelNumber,
            .currentBand = rawText(result.currentBand),
            .currentChannelInterferenceScore = finite(result.currentChannelInterferenceScore),
            .suggestedChannelNumber = result.suggestedChannelNumber,
            .suggestedBand = rawText(result.suggestedBand),
            .didSucceed = result.didSucceed};
}

// Available exactly when the source exists; the error text travels beside the status.
template <class Source, class Map>
auto envelope(const std::optional<Source>& source, const std::optional<QString>& errorMessage,
              Map map) {
    using Payload = decltype(map(*source));
    if (!source) {
        return Report::SectionEnvelope<Payload>{.status = Status::unavailable,
                                                .errorMessage = errorMessage};
    }
    return Report::SectionEnvelope<Payload>{
        .status = Status::available, .errorMessage = errorMessage, .data = map(*source)};
}

// A source inside the snapshot is missing when the snapshot is.
template <class Source>
std::optional<Source> inSnapshot(const std::optional<DiagnosticsSnapshot>& snapshot,
                                 std::optional<Source> DiagnosticsSnapshot::*field) {
    return snapshot ? (*snapshot).*field : std::nullopt;
}

Report::RuntimeSection runtimeSection(const DiagnosticsExportInput& input) {
    const std::optional<DiagnosticsSnapshot>& snapshot = input.diagnosticsSnapshot;
    const HealthState health =
        snapshot ? snapshot->healthState : HealthState(HealthState::disconnected);
    return {.monitoringEnabled = input.monitoringEnabled,
            .batteryFriendlyModeEnabled = input.batteryFriendlyModeEnabled,
            .healthState = health.rawValue(),
            .diagnosticsCapturedAt =
                snapshot ? std::optional<Date>(snapshot->timestamp) : std::nullopt};
}

Report::LatencySection latencySection(const std::optional<DiagnosticsSnapshot>& snapshot) {
    const std::optional<QString> noErrorText;
    return {.routerPing = envelope(inSnapshot(snapshot, &DiagnosticsSnapshot::routerPingResult),
                                   noErrorText, pingMetric),
            .internetPing = envelope(inSnapshot(snapshot, &DiagnosticsSnapshot::internetPingResult),
                                     noErrorText, pingMetric),
            .dnsLookup = envelope(inSnapshot(snapshot, &DiagnosticsSnapshot::dnsResult),
                                  noErrorText, dnsMetric)};
}

Report::SpeedTestSection speedTestSection(const DiagnosticsExportInput& input) {
    const auto speedTest =
        envelope(input.speedTestResult, input.speedTestLastErrorMessage, speedTestData);
    return {.phase = input.speedTestPhase.rawValue(),
            .status = speedTest.status,
            .errorMessage = speedTest.errorMessage,
            .data = speedTest.data};
}

} // namespace

DiagnosticsExportReport build(const DiagnosticsExportInput& input) {
    const std::optional<DiagnosticsSnapshot>& snapshot = input.diagnosticsSnapshot;
    return Report{
        .schemaVersion = 2,
        .exportedAt = input.exportedAt,
        .app = {.name = QStringLiteral("pelmor"),
                .version = input.appVersion,
                .build = input.appBuild},
        .runtime = runtimeSection(input),
        .wifi = envelope(inSnapshot(snapshot, &DiagnosticsSnapshot::wifiSnapshot), std::nullopt,
                         wifiData),
        .latency = latencySection(snapshot),
        .connectionPressure = envelope(input.connectionResult, input.connectionLastErrorMessage,
                                       connectionPressureData),
        .captivePortal = envelope(input.captivePortalStatus, input.captivePortalLastErrorMessage,
                                  captivePortalData),
        .speedTest = speedTestSection(input),
        .channelScan =
            envelope(input.channelScanResult, input.channelScanLastErrorMessage, channelScanData),
    };
}

} // namespace DiagnosticsExportReportBuilder
