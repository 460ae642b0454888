#pragma once

#include "Core/DiagnosticsExport/DiagnosticsExportReport.h"
#include "Core/DiagnosticsExport/JSONValue.h"

// Each report type as one JSON object: one member per field, keyed by the field's name; a
// required field always, an optional one only when it holds a value (never null); instants as
// ISO 8601 texts, a section status as its text, nested types as nested objects.
namespace DiagnosticsExportReportEncoding {

using Report = DiagnosticsExportReport;

JSONValue encoded(const Report& report);
JSONValue encoded(const Report::AppSection& app);
JSONValue encoded(const Report::RuntimeSection& runtime);
JSONValue encoded(const Report::LatencySection& latency);
JSONValue encoded(const Report::SpeedTestSection& speedTest);
JSONValue encoded(const Report::WiFiData& wifi);
JSONValue encoded(const Report::LatencySection::PingMetric& ping);
JSONValue encoded(const Report::LatencySection::DNSMetric& dns);
JSONValue encoded(const Report::ConnectionPressureData& connection);
JSONValue encoded(const Report::CaptivePortalData& captivePortal);
JSONValue encoded(const Report::SpeedTestData& speedTest);
JSONValue encoded(const Report::ChannelScanData& channelScan);
JSONValue encoded(const Report::SectionEnvelope<Report::WiFiData>& envelope);
JSONValue encoded(const Report::SectionEnvelope<Report::LatencySection::PingMetric>& envelope);
JSONValue encoded(const Report::SectionEnvelope<Report::LatencySection::DNSMetric>& envelope);
JSONValue encoded(const Report::SectionEnvelope<Report::ConnectionPressureData>& envelope);
JSONValue encoded(const Report::SectionEnvelope<Report::CaptivePortalData>& envelope);
JSONValue encoded(const Report::SectionEnvelope<Report::ChannelScanData>& envelope);

} // namespace DiagnosticsExportReportEncoding
