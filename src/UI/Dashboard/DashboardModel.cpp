#include "UI/Dashboard/DashboardModel.h"

#include "UI/Dashboard/LocationCardModel.h"
#include "UI/Formatters/PopoverFormatters.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Popover/PopoverSampleSeries.h"
#include "UI/Popover/PopoverStatusTexts.h"
#include "UI/Popover/SparklineDomains.h"

namespace {

const QString missingValue = QStringLiteral("\u2014");

// A whole reading with its unit ("866 Mbps"); "—" without a reading.
QString wholeValue(std::optional<std::int64_t> value, const QString& unit) {
    if (!value) {
        return missingValue;
    }
    return QString::number(*value) + QLatin1Char(' ') + unit;
}

template <typename Field>
std::optional<std::int64_t> snapshotField(const std::optional<WiFiSnapshot>& snapshot,
                                          Field field) {
    if (!snapshot) {
        return std::nullopt;
    }
    return std::optional<std::int64_t>((*snapshot).*field);
}

QString linkRateText(const std::optional<WiFiSnapshot>& snapshot) {
    if (!snapshot || !snapshot->linkRateMbps) {
        return missingValue;
    }
    return wholeValue(*snapshot->linkRateMbps, QStringLiteral("Mbps"));
}

std::optional<double> internetField(const std::optional<PingResult>& result,
                                    std::optional<double> PingResult::*field) {
    return result ? (*result).*field : std::nullopt;
}

} // namespace

namespace DashboardModel {

QColor secondaryAccentColor() {
    return QColor(235, 235, 245, 153);
}

QString monitoringCapsuleText(bool isMonitoringEnabled) {
    return isMonitoringEnabled ? QStringLiteral("Monitoring") : QStringLiteral("Paused");
}

std::vector<DashboardMessage> messages(const DashboardInputs& inputs) {
    std::vector<DashboardMessage> shown;
    if (!inputs.isMonitoringEnabled) {
        shown.push_back({inputs.monitoringStatusText, NamedColors::orange});
    } else if (const auto disconnected = PopoverStatusTexts::disconnectedMessage(
                   inputs.isWiFiConnected, inputs.latestSnapshot)) {
        shown.push_back({*disconnected, secondaryAccentColor()});
    }
    if (const auto captive = PopoverStatusTexts::captivePortalDetectedMessage(
            inputs.isMonitoringEnabled, inputs.captivePortalStatus)) {
        shown.push_back({*captive, NamedColors::red});
    }
    return shown;
}

std::array<MetricTrendLine, 4> wifiLines(const DashboardInputs& inputs) {
    using namespace PopoverSampleSeries;
    const auto& snapshot = inputs.latestSnapshot;
    std::vector<double> linkRates = linkRateSparklineSamples(inputs.wifiHistory);
    const ClosedRange linkRateDomain = SparklineDomains::adaptiveLinkRateDomain(linkRates);
    return {{
        {QStringLiteral("Link Rate"), linkRateText(snapshot), std::move(linkRates), linkRateDomain,
         NamedColors::green},
        {QStringLiteral("SNR"),
         wholeValue(snapshotField(snapshot, &WiFiSnapshot::snrDb), QStringLiteral("dB")),
         snrSparklineSamples(inputs.wifiHistory), ClosedRange{0, 50}, NamedColors::yellow},
        {QStringLiteral("Signal"),
         wholeValue(snapshotField(snapshot, &WiFiSnapshot::rssiDbm), QStringLiteral("dBm")),
         rssiSparklineSamples(inputs.wifiHistory), ClosedRange{-95, -30}, NamedColors::orange},
        {QStringLiteral("Noise"),
         wholeValue(snapshotField(snapshot, &WiFiSnapshot::noiseFloorDbm), QStringLiteral("dBm")),
         noiseSparklineSamples(inputs.wifiHistory), ClosedRange{-110, -70}, NamedColors::green},
    }};
}

std::array<MetricTrendLine, 3> latencyLines(const DashboardInputs& inputs, const QLocale& locale) {
    using namespace PopoverSampleSeries;
    const QString ms = QStringLiteral("ms");
    return {{
        {QStringLiteral("Router Ping"),
         PopoverStatusTexts::routerLatencyText(inputs.isRouterIgnored, inputs.routerResult, locale),
         latencySparklineSamples(inputs.routerHistory), ClosedRange{0, 80}, NamedColors::red},
        {QStringLiteral("Internet Ping"),
         PopoverFormatters::decimalValue(
             internetField(inputs.internetResult, &PingResult::latencyMilliseconds), ms, 1, locale),
         latencySparklineSamples(inputs.internetHistory), ClosedRange{0, 150}, NamedColors::orange},
        {QStringLiteral("Jitter"),
         PopoverFormatters::decimalValue(
             internetField(inputs.internetResult, &PingResult::jitterMilliseconds), ms, 1, locale),
         internetJitterSparklineSamples(inputs.internetHistory), ClosedRange{0, 30},
         NamedColors::yellow},
    }};
}

MetricTrendLine dnsLookupLine(const DashboardInputs& inputs, const QLocale& locale) {
    const std::optional<double> latency =
        inputs.dnsResult ? inputs.dnsResult->latencyMilliseconds : std::nullopt;
    return {QStringLiteral("Lookup"),
            PopoverFormatters::decimalValue(latency, QStringLiteral("ms"), 1, locale),
            PopoverSampleSeries::dnsSparklineSamples(inputs.dnsHistory), ClosedRange{0, 300},
            NamedColors::green};
}

DashboardContent content(const DashboardInputs& inputs, const QLocale& locale) {
    const std::optional<double> packetLoss =
        inputs.internetResult ? std::optional(inputs.internetResult->packetLossPercent)
                              : std::nullopt;
    return {.healthState = inputs.healthState,
            .isMonitoringEnabled = inputs.isMonitoringEnabled,
            .monitoringCapsuleText = monitoringCapsuleText(inputs.isMonitoringEnabled),
            .messages = messages(inputs),
            .wifiSnapshot = inputs.latestSnapshot,
            .isWiFiConnected = inputs.isWiFiConnected,
            .wifiLines = wifiLines(inputs),
            .latencyLines = latencyLines(inputs, locale),
            .packetLossValue = PopoverFormatters::percentValue(packetLoss, 0, locale),
            .dnsDomain = inputs.dnsResult ? inputs.dnsResult->domain : missingValue,
            .dnsLookupLine = dnsLookupLine(inputs, locale),
            .location = LocationCardModel::content(inputs.locationStatus)};
}

} // namespace DashboardModel
