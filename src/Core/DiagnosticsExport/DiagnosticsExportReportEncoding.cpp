#include "Core/DiagnosticsExport/DiagnosticsExportReportEncoding.h"

#include "Core/DiagnosticsExport/ISO8601InstantText.h"

#include <optional>
#include <utility>

namespace DiagnosticsExportReportEncoding {
namespace {

JSONValue valueOf(bool flag) {
    return JSONValue(flag);
}
JSONValue valueOf(std::int64_t integer) {
    return JSONValue(integer);
}
JSONValue valueOf(double number) {
    return JSONValue(number);
}
JSONValue valueOf(const QString& text) {
    return JSONValue(text);
}
JSONValue valueOf(Date instant) {
    return JSONValue(iso8601InstantText(instant));
}
JSONValue valueOf(Report::SectionStatus status) {
    return JSONValue(status.rawValue());
}
template <class Nested> JSONValue valueOf(const Nested& nested) {
    return encoded(nested);
}

// Collects one object's members; the writer puts them in key order.
class ObjectBuilder {
public:
    template <class Value> ObjectBuilder& required(const char* key, const Value& value) {
        members_.push_back({QString::fromLatin1(key), valueOf(value)});
        return *this;
    }

    template <class Value>
    ObjectBuilder& optional(const char* key, const std::optional<Value>& value) {
        if (value) {
            required(key, *value);
        }
        return *this;
    }

    JSONValue build() { return JSONValue(std::move(members_)); }

private:
    JSONObject members_;
};

template <class Payload>
JSONValue encodedEnvelope(const Report::SectionEnvelope<Payload>& envelope) {
    return ObjectBuilder()
        .required("status", envelope.status)
        .optional("errorMessage", envelope.errorMessage)
        .optional("data", envelope.data)
        .build();
}

} // namespace

JSONValue encoded(const Report& report) {
    return ObjectBuilder()
        .required("schemaVersion", report.schemaVersion)
        .required("exportedAt", report.exportedAt)
        .required("app", report.app)
        .required("runtime", report.runtime)
        .required("wifi", report.wifi)
        .required("latency", report.latency)
        .required("connectionPressure", report.connectionPressure)
        .required("captivePortal", report.captivePortal)
        .required("speedTest", report.speedTest)
        .required("channelScan", report.channelScan)
        .build();
}

JSONValue encoded(const Report::AppSection& app) {
    return ObjectBuilder()
        .required("name", app.name)
        .optional("version", app.version)
        .optional("build", app.build)
        .build();
}

JSONValue encoded(const Report::RuntimeSection& runtime) {
    return ObjectBuilder()
        .required("monitoringEnabled", runtime.monitoringEnabled)
        .required("batteryFriendlyModeEnabled", runtime.batteryFriendlyModeEnabled)
        .required("healthState", runtime.healthState)
        .optional("diagnosticsCapturedAt", runtime.diagnosticsCapturedAt)
        .build();
}

JSONValue encoded(const Report::LatencySection& latency) {
    return ObjectBuilder()
        .required("routerPing", latency.routerPing)
        .required("internetPing", latency.internetPing)
        .required("dnsLookup", latency.dnsLookup)
        .build();
}

JSONValue encoded(const Report::SpeedTestSection& speedTest) {
    return ObjectBuilder()
        .required("phase", speedTest.phase)
        .required("status", speedTest.status)
        .optional("errorMessage", speedTest.errorMessage)
        .optional("data", speedTest.data)
        .build();
}

JSONValue encoded(const Report::WiFiData& wifi) {
    return ObjectBuilder()
        .optional("capturedAt", wifi.capturedAt)
        .optional("ssid", wifi.ssid)
        .optional("bssid", wifi.bssid)
        .optional("rssiDbm", wifi.rssiDbm)
        .optional("noiseFloorDbm", wifi.noiseFloorDbm)
        .optional("snrDb", wifi.snrDb)
        .optional("linkRateMbps", wifi.linkRateMbps)
        .optional("channelNumber", wifi.channelNumber)
        .optional("band", wifi.band)
        .optional("ipAddress", wifi.ipAddress)
        .optional("vpnActive", wifi.vpnActive)
        .build();
}

JSONValue encoded(const Report::LatencySection::PingMetric& ping) {
    return ObjectBuilder()
        .optional("capturedAt", ping.capturedAt)
        .optional("latencyMilliseconds", ping.latencyMilliseconds)
        .optional("jitterMilliseconds", ping.jitterMilliseconds)
        .optional("packetLossPercent", ping.packetLossPercent)
        .optional("didSucceed", ping.didSucceed)
        .build();
}

JSONValue encoded(const Report::LatencySection::DNSMetric& dns) {
    return ObjectBuilder()
        .optional("capturedAt", dns.capturedAt)
        .optional("domain", dns.domain)
        .optional("latencyMilliseconds", dns.latencyMilliseconds)
        .optional("didSucceed", dns.didSucceed)
        .build();
}

JSONValue encoded(const Report::ConnectionPressureData& connection) {
    return ObjectBuilder()
        .optional("capturedAt", connection.capturedAt)
        .optional("quality", connection.quality)
        .optional("establishedCount", connection.establishedCount)
        .optional("timeWaitCount", connection.timeWaitCount)
        .optional("closeWaitCount", connection.closeWaitCount)
        .optional("totalCount", connection.totalCount)
        .optional("orphanedCount", connection.orphanedCount)
        .build();
}

JSONValue encoded(const Report::CaptivePortalData& captivePortal) {
    return ObjectBuilder()
        .optional("capturedAt", captivePortal.capturedAt)
        .optional("isCaptivePortal", captivePortal.isCaptivePortal)
        .optional("reason", captivePortal.reason)
        .optional("portalURL", captivePortal.portalURL)
        .optional("probeURL", captivePortal.probeURL)
        .build();
}

JSONValue encoded(const Report::SpeedTestData& speedTest) {
    return ObjectBuilder()
        .optional("capturedAt", speedTest.capturedAt)
        .optional("downloadMbps", speedTest.downloadMbps)
        .optional("uploadMbps", speedTest.uploadMbps)
        .optional("baselineLatencyMilliseconds", speedTest.baselineLatencyMilliseconds)
        .optional("downloadLoadedLatencyMilliseconds", speedTest.downloadLoadedLatencyMilliseconds)
        .optional("uploadLoadedLatencyMilliseconds", speedTest.uploadLoadedLatencyMilliseconds)
        .optional("downloadBufferbloatGrade", speedTest.downloadBufferbloatGrade)
        .optional("uploadBufferbloatGrade", speedTest.uploadBufferbloatGrade)
        .optional("didSucceed", speedTest.didSucceed)
        .build();
}

JSONValue encoded(const Report::ChannelScanData& channelScan) {
    return ObjectBuilder()
        .optional("capturedAt", channelScan.capturedAt)
        .optional("passCount", channelScan.passCount)
        .optional("scannedNetworkCount", channelScan.scannedNetworkCount)
        .optional("currentChannelNumber", channelScan.currentChannelNumber)
        .optional("currentBand", channelScan.currentBand)
        .optional("currentChannelInterferenceScore", channelScan.currentChannelInterferenceScore)
        .optional("suggestedChannelNumber", channelScan.suggestedChannelNumber)
        .optional("suggestedBand", channelScan.suggestedBand)
        .optional("didSucceed", channelScan.didSucceed)
        .build();
}

JSONValue encoded(const Report::SectionEnvelope<Report::WiFiData>& envelope) {
    return encodedEnvelope(envelope);
}
JSONValue encoded(const Report::SectionEnvelope<Report::LatencySection::PingMetric>& envelope) {
    return encodedEnvelope(envelope);
}
JSONValue encoded(const Report::SectionEnvelope<Report::LatencySection::DNSMetric>& envelope) {
    return encodedEnvelope(envelope);
}
JSONValue encoded(const Report::SectionEnvelope<Report::ConnectionPressureData>& envelope) {
    return encodedEnvelope(envelope);
}
JSONValue encoded(const Report::SectionEnvelope<Report::CaptivePortalData>& envelope) {
    return encodedEnvelope(envelope);
}
JSONValue encoded(const Report::SectionEnvelope<Report::ChannelScanData>& envelope) {
    return encodedEnvelope(envelope);
}

} // namespace DiagnosticsExportReportEncoding
