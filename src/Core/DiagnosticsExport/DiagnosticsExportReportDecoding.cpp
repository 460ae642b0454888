#include "Core/DiagnosticsExport/DiagnosticsExportReportDecoding.h"

#include "Core/DiagnosticsExport/ISO8601InstantText.h"

#include <cstdint>
#include <optional>
#include <type_traits>
#include <utility>

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QStringList>
#include <QVariant>

namespace DiagnosticsExportReportDecoding {
namespace {

using Report = DiagnosticsExportReport;

template <class Value> Value decodedValue(const QJsonValue& value, const QStringList& path);

// One JSON object being read, with the keys that lead to it.
class ObjectReader {
public:
    ObjectReader(const QJsonValue& value, QStringList path) : path_(std::move(path)) {
        if (!value.isObject()) {
            throw JSONDecodingError(path_, QStringLiteral("Expected an object."));
        }
        object_ = value.toObject();
    }

    template <class Value> Value required(const char* key) const {
        const QJsonValue value = object_.value(QLatin1String(key));
        if (value.isUndefined()) {
            throw JSONDecodingError(pathTo(key), QStringLiteral("A required key is missing."));
        }
        return decodedValue<Value>(value, pathTo(key));
    }

    template <class Value> std::optional<Value> optional(const char* key) const {
        const QJsonValue value = object_.value(QLatin1String(key));
        if (value.isUndefined() || value.isNull()) {
            return std::nullopt;
        }
        return decodedValue<Value>(value, pathTo(key));
    }

private:
    QStringList pathTo(const char* key) const { return path_ + QStringList{QLatin1String(key)}; }

    QJsonObject object_;
    QStringList path_;
};

template <class Value> struct Tag {};

Report decodedObject(const ObjectReader& reader, Tag<Report>) {
    return {.schemaVersion = reader.required<std::int64_t>("schemaVersion"),
            .exportedAt = reader.required<Date>("exportedAt"),
            .app = reader.required<Report::AppSection>("app"),
            .runtime = reader.required<Report::RuntimeSection>("runtime"),
            .wifi = reader.required<Report::SectionEnvelope<Report::WiFiData>>("wifi"),
            .latency = reader.required<Report::LatencySection>("latency"),
            .connectionPressure =
                reader.required<Report::SectionEnvelope<Report::ConnectionPressureData>>(
                    "connectionPressure"),
            .captivePortal = reader.required<Report::SectionEnvelope<Report::CaptivePortalData>>(
                "captivePortal"),
            .speedTest = reader.required<Report::SpeedTestSection>("speedTest"),
            .channelScan =
                reader.required<Report::SectionEnvelope<Report::ChannelScanData>>("channelScan")};
}

Report::AppSection decodedObject(const ObjectReader& reader, Tag<Report::AppSection>) {
    return {.name = reader.required<QString>("name"),
            .version = reader.optional<QString>("version"),
            .build = reader.optional<QString>("build")};
}

Report::RuntimeSection decodedObject(const ObjectReader& reader, Tag<Report::RuntimeSection>) {
    return {.monitoringEnabled = reader.required<bool>("monitoringEnabled"),
            .batteryFriendlyModeEnabled = reader.required<bool>("batteryFriendlyModeEnabled"),
            .healthState = reader.required<QString>("healthState"),
            .diagnosticsCapturedAt = reader.optional<Date>("diagnosticsCapturedAt")};
}

template <class Payload>
Report::SectionEnvelope<Payload> decodedObject(const ObjectReader& reader,
                                               Tag<Report::SectionEnvelope<Payload>>) {
    return {.status = reader.required<Report::SectionStatus>("status"),
            .errorMessage = reader.optional<QString>("errorMessage"),
            .data = reader.optional<Payload>("data")};
}

Report::LatencySection decodedObject(const ObjectReader& reader, Tag<Report::LatencySection>) {
    using Latency = Report::LatencySection;
    return {.routerPing =
                reader.required<Report::SectionEnvelope<Latency::PingMetric>>("routerPing"),
            .internetPing =
                reader.required<Report::SectionEnvelope<Latency::PingMetric>>("internetPing"),
            .dnsLookup = reader.required<Report::SectionEnvelope<Latency::DNSMetric>>("dnsLookup")};
}

Report::SpeedTestSection decodedObject(const ObjectReader& reader, Tag<Report::SpeedTestSection>) {
    return {.phase = reader.required<QString>("phase"),
            .status = reader.required<Report::SectionStatus>("status"),
            .errorMessage = reader.optional<QString>("errorMessage"),
            .data = reader.optional<Report::SpeedTestData>("data")};
}

Report::WiFiData decodedObject(const ObjectReader& reader, Tag<Report::WiFiData>) {
    return {.capturedAt = reader.optional<Date>("capturedAt"),
            .ssid = reader.optional<QString>("ssid"),
            .bssid = reader.optional<QString>("bssid"),
            .rssiDbm = reader.optional<std::int64_t>("rssiDbm"),
            .noiseFloorDbm = reader.optional<std::int64_t>("noiseFloorDbm"),
            .snrDb = reader.optional<std::int64_t>("snrDb"),
            .linkRateMbps = reader.optional<std::int64_t>("linkRateMbps"),
            .channelNumber = reader.optional<std::int64_t>("channelNumber"),
            .band = reader.optional<QString>("band"),
            .ipAddress = reader.optional<QString>("ipAddress"),
            .vpnActive = reader.optional<bool>("vpnActive")};
}

Report::LatencySection::PingMetric decodedObject(const ObjectReader& reader,
                                                 Tag<Report::LatencySection::PingMetric>) {
    return {.capturedAt = reader.optional<Date>("capturedAt"),
            .latencyMilliseconds = reader.optional<double>("latencyMilliseconds"),
            .jitterMilliseconds = reader.optional<double>("jitterMilliseconds"),
            .packetLossPercent = reader.optional<double>("packetLossPercent"),
            .didSucceed = reader.optional<bool>("didSucceed")};
}

Report::LatencySection::DNSMetric decodedObject(const ObjectReader& reader,
                                                Tag<Report::LatencySection::DNSMetric>) {
    return {.capturedAt = reader.optional<Date>("capturedAt"),
            .domain = reader.optional<QString>("domain"),
            .latencyMilliseconds = reader.optional<double>("latencyMilliseconds"),
            .didSucceed = reader.optional<bool>("didSucceed")};
}

Report::ConnectionPressureData decodedObject(const ObjectReader& reader,
                                             Tag<Report::ConnectionPressureData>) {
    return {.capturedAt = reader.optional<Date>("capturedAt"),
            .quality = reader.optional<QString>("quality"),
            .establishedCount = reader.optional<std::int64_t>("establishedCount"),
            .timeWaitCount = reader.optional<std::int64_t>("timeWaitCount"),
            .closeWaitCount = reader.optional<std::int64_t>("closeWaitCount"),
            .totalCount = reader.optional<std::int64_t>("totalCount"),
            .orphanedCount = reader.optional<std::int64_t>("orphanedCount")};
}

Report::CaptivePortalData decodedObject(const ObjectReader& reader,
                                        Tag<Report::CaptivePortalData>) {
    return {.capturedAt = reader.optional<Date>("capturedAt"),
            .isCaptivePortal = reader.optional<bool>("isCaptivePortal"),
            .reason = reader.optional<QString>("reason"),
            .portalURL = reader.optional<QString>("portalURL"),
            .probeURL = reader.optional<QString>("probeURL")};
}

Report::SpeedTestData decodedObject(const ObjectReader& reader, Tag<Report::SpeedTestData>) {
    return {.capturedAt = reader.optional<Date>("capturedAt"),
            .downloadMbps = reader.optional<double>("downloadMbps"),
            .uploadMbps = reader.optional<double>("uploadMbps"),
            .baselineLatencyMilliseconds = reader.optional<double>("baselineLatencyMilliseconds"),
            .downloadLoadedLatencyMilliseconds =
                reader.optional<double>("downloadLoadedLatencyMilliseconds"),
            .uploadLoadedLatencyMilliseconds =
                reader.optional<double>("uploadLoadedLatencyMilliseconds"),
            .downloadBufferbloatGrade = reader.optional<QString>("downloadBufferbloatGrade"),
            .uploadBufferbloatGrade = reader.optional<QString>("uploadBufferbloatGrade"),
            .didSucceed = reader.optional<bool>("didSucceed")};
}

Report::ChannelScanData decodedObject(const ObjectReader& reader, Tag<Report::ChannelScanData>) {
    return {.capturedAt = reader.optional<Date>("capturedAt"),
            .passCount = reader.optional<std::int64_t>("passCount"),
            .scannedNetworkCount = reader.optional<std::int64_t>("scannedNetworkCount"),
            .currentChannelNumber = reader.optional<std::int64_t>("currentChannelNumber"),
            .currentBand = reader.optional<QString>("currentBand"),
            .currentChannelInterferenceScore =
                reader.optional<double>("currentChannelInterferenceScore"),
            .suggestedChannelNumber = reader.optional<std::int64_t>("suggestedChannelNumber"),
            .suggestedBand = reader.optional<QString>("suggestedBand"),
            .didSucceed = reader.optional<bool>("didSucceed")};
}

[[noreturn]] void throwWrongKind(const QStringList& path, const char* expected) {
    throw JSONDecodingError(path, QStringLiteral("Expected %1.").arg(QLatin1String(expected)));
}

QString decodedText(const QJsonValue& value, const QStringList& path) {
    if (!value.isString()) {
        throwWrongKind(path, "a string");
    }
    return value.toString();
}

template <class Value> Value decodedValue(const QJsonValue& value, const QStringList& path) {
    if constexpr (std::is_same_v<Value, bool>) {
        if (!value.isBool()) {
            throwWrongKind(path, "a boolean");
        }
        return value.toBool();
    } else if constexpr (std::is_same_v<Value, std::int64_t>) {
        if (value.toVariant().typeId() != QMetaType::LongLong) {
            throwWrongKind(path, "an integer within 64 bits");
        }
        return value.toInteger();
    } else if constexpr (std::is_same_v<Value, double>) {
        if (!value.isDouble()) {
            throwWrongKind(path, "a number");
        }
        return value.toDouble();
    } else if constexpr (std::is_same_v<Value, QString>) {
        return decodedText(value, path);
    } else if constexpr (std::is_same_v<Value, Date>) {
        const std::optional<Date> instant = instantFromISO8601Text(decodedText(value, path));
        if (!instant) {
            throwWrongKind(path, "an ISO 8601 instant in UTC to whole seconds");
        }
        return *instant;
    } else if constexpr (std::is_same_v<Value, Report::SectionStatus>) {
        const auto status = Report::SectionStatus::fromRawValue(decodedText(value, path));
        if (!status) {
            throwWrongKind(path, "\"available\" or \"unavailable\"");
        }
        return *status;
    } else {
        return decodedObject(ObjectReader(value, path), Tag<Value>{});
    }
}

} // namespace

DiagnosticsExportReport decode(const QByteArray& document) {
    QJsonParseError error;
    const QJsonDocument parsed = QJsonDocument::fromJson(document, &error);
    if (error.error != QJsonParseError::NoError) {
        throw JSONDecodingError({}, QStringLiteral("Not JSON: ") + error.errorString());
    }
    return decodedValue<Report>(parsed.isObject() ? QJsonValue(parsed.object()) : QJsonValue(), {});
}

} // namespace DiagnosticsExportReportDecoding
