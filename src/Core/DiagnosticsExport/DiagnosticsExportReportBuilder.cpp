#include "Core/DiagnosticsExport/DiagnosticsExportReportBuilder.h"

namespace DiagnosticsExportReportBuilder {

DiagnosticsExportReport build(const DiagnosticsExportInput& input) {
    using Report = DiagnosticsExportReport;
    return Report{
        .schemaVersion = 2,
        .exportedAt = input.exportedAt,
        .app = {.name = QStringLiteral("pelmor"),
                .version = input.appVersion,
                .build = input.appBuild},
        .runtime = {.monitoringEnabled = input.monitoringEnabled,
                    .batteryFriendlyModeEnabled = input.batteryFriendlyModeEnabled,
                    .healthState = QStringLiteral("disconnected"),
                    .diagnosticsCapturedAt = std::nullopt},
        .wifi = {.status = Report::SectionStatus::unavailable},
        .latency = {.routerPing = {.status = Report::SectionStatus::unavailable},
                    .internetPing = {.status = Report::SectionStatus::unavailable},
                    .dnsLookup = {.status = Report::SectionStatus::unavailable}},
        .connectionPressure = {.status = Report::SectionStatus::unavailable},
        .captivePortal = {.status = Report::SectionStatus::unavailable},
        .speedTest = {.phase = input.speedTestPhase.rawValue(),
                      .status = Report::SectionStatus::unavailable},
        .channelScan = {.status = Report::SectionStatus::unavailable},
    };
}

} // namespace DiagnosticsExportReportBuilder
