#pragma once

#include "Core/DiagnosticsExport/DiagnosticsExportReport.h"

#include <chrono>

#include <QString>

// Reports with every value present and with every optional value absent, for the writer's and
// the reader's tests. Their instants carry fractions of a second.
namespace SampleDiagnosticsReports {

using namespace std::chrono_literals;
using Report = DiagnosticsExportReport;
using Status = Report::SectionStatus;

// 2026-03-04T05:06:07Z and a minute before.
inline const Date exportInstant = Date{} + 1'772'600'767s;
inline const Date captureInstant = exportInstant - 60s;

inline Report fullReport() {
    return Report{
        .schemaVersion = 2,
        .exportedAt = exportInstant + 999ms,
        .app = {.name = QStringLiteral("pelmor"),
                .version = QStringLiteral("1.4.0"),
                .build = QStringLiteral("142")},
        .runtime = {.monitoringEnabled = true,
                    .batteryFriendlyModeEnabled = false,
                    .healthState = QStringLiteral("warning"),
                    .diagnosticsCapturedAt = captureInstant + 500ms},
        .wifi = {.status = Status::available,
                 .data = Report::WiFiData{.capturedAt = captureInstant,
                                          .ssid = QString::fromUtf8("Café Ørsted 📶"),
                                          .bssid = QStringLiteral("aa:bb:cc:dd:ee:ff"),
                                          .rssiDbm = -61,
                                          .noiseFloorDbm = -92,
                                          .snrDb = 31,
                                          .linkRateMbps = 866,
                                          .channelNumber = 36,
                                          .band = QStringLiteral("5 GHz"),
                                          .ipAddress = QStringLiteral("192.168.1.23"),
                                          .vpnActive = false}},
        .latency =
            {.routerPing = {.status = Status::available,
                            .data = Report::LatencySection::PingMetric{.capturedAt = captureInstant,
                                                                       .latencyMilliseconds = 2.5,
                                                                       .jitterMilliseconds = 0.4,
                                                                       .packetLossPercent = 0.0,
                                                                       .didSucceed = true}},
             .internetPing = {.status = Status::available,
                              .data =
                                  Report::LatencySection::PingMetric{.capturedAt = captureInstant,
                                                                     .latencyMilliseconds = 20.0,
                                                                     .jitterMilliseconds = 1.25,
                                                                     .packetLossPercent = 12.5,
                                                                     .didSucceed = true}},
             .dnsLookup = {.status = Status::available,
                           .data = Report::LatencySection::DNSMetric{.capturedAt = captureInstant,
                                                                     .domain = QStringLiteral(
                                                                         "example.com"),
                                                                     .latencyMilliseconds = 31.75,
                                                                     .didSucceed = false}}},
        .connectionPressure = {.status = Status::available,
                               .errorMessage =
                                   QStringLiteral("Connection monitor failed to read TCP states."),
                               .data =
                                   Report::ConnectionPressureData{.capturedAt = captureInstant,
                                                                  .quality = QStringLiteral("good"),
                                                                  .establishedCount = 10,
                                                                  .timeWaitCount = 3,
                                                                  .closeWaitCount = 2,
                                                                  .totalCount = 15,
                                                                  .orphanedCount = 5}},
        .captivePortal = {.status = Status::available,
                          .data =
                              Report::CaptivePortalData{
                                  .capturedAt = captureInstant,
                                  .isCaptivePortal = true,
                                  .reason = QStringLiteral("redirect"),
                                  .portalURL =
                                      QStringLiteral("http://portal.example/login?next=/home"),
                                  .probeURL = QStringLiteral("http://probe.example/generate_204")}},
        .speedTest = {.phase = QStringLiteral("completed"),
                      .status = Status::available,
                      .data = Report::SpeedTestData{.capturedAt = captureInstant,
                                                    .downloadMbps = 512.25,
                                                    .uploadMbps = 48.0,
                                                    .baselineLatencyMilliseconds = 11.5,
                                                    .downloadLoadedLatencyMilliseconds = 40.125,
                                                    .uploadLoadedLatencyMilliseconds = 60.0,
                                                    .downloadBufferbloatGrade = QStringLiteral("B"),
                                                    .uploadBufferbloatGrade = QStringLiteral("C"),
                                                    .didSucceed = true}},
        .channelScan = {.status = Status::available,
                        .errorMessage = QString(),
                        .data = Report::ChannelScanData{.capturedAt = captureInstant,
                                                        .passCount = 3,
                                                        .scannedNetworkCount = 17,
                                                        .currentChannelNumber = 36,
                                                        .currentBand = QStringLiteral("5 GHz"),
                                                        .currentChannelInterferenceScore = 0.42,
                                                        .suggestedChannelNumber = 149,
                                                        .suggestedBand = QStringLiteral("5 GHz"),
                                                        .didSucceed = true}},
    };
}

inline Report reportWithEveryOptionalAbsent() {
    return Report{
        .schemaVersion = 2,
        .exportedAt = Date{} - 500ms,
        .app = {.name = QStringLiteral("pelmor")},
        .runtime = {.monitoringEnabled = false,
                    .batteryFriendlyModeEnabled = false,
                    .healthState = QStringLiteral("disconnected")},
        .wifi = {.status = Status::unavailable},
        .latency = {.routerPing = {.status = Status::unavailable},
                    .internetPing = {.status = Status::unavailable},
                    .dnsLookup = {.status = Status::unavailable}},
        .connectionPressure = {.status = Status::unavailable},
        .captivePortal = {.status = Status::unavailable},
        .speedTest = {.phase = QStringLiteral("cancelled"),
                      .status = Status::unavailable,
                      .errorMessage = QStringLiteral("Speed test failed.")},
        .channelScan = {.status = Status::unavailable, .errorMessage = QString()},
    };
}

} // namespace SampleDiagnosticsReports
