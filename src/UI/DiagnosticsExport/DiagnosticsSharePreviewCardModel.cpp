#include "UI/DiagnosticsExport/DiagnosticsSharePreviewCardModel.h"

#include "Core/IcuConversions.h"
#include "UI/Formatters/DirectionIsolate.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <memory>
#include <unicode/datefmt.h>
#include <unicode/timezone.h>

namespace {

// 2^63: the first rounded rate beyond a signed 64-bit whole number.
constexpr double firstUnrepresentableWholeNumber = 9223372036854775808.0;

// A payload field; missing when the section has no data.
template <class Payload, class Value>
std::optional<Value> dataField(const std::optional<Payload>& data,
                               std::optional<Value> Payload::*field) {
    if (!data) {
        return std::nullopt;
    }
    return (*data).*field;
}

QString wholeNumber(std::optional<std::int64_t> value, const QString& unit = {}) {
    if (!value) {
        return DiagnosticsSharePreviewCardModel::unavailable;
    }
    const QString number = QString::number(*value);
    return unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
}

std::optional<std::int64_t> roundedRate(std::optional<double> rate) {
    if (!rate || !std::isfinite(*rate)) {
        return std::nullopt;
    }
    const double rounded = std::round(*rate);
    if (rounded < -firstUnrepresentableWholeNumber || rounded >= firstUnrepresentableWholeNumber) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(rounded);
}

} // namespace

namespace DiagnosticsSharePreviewCardModel {

HealthState badgeState(const QString& healthState) {
    return HealthState::fromRawValue(healthState).value_or(HealthState::disconnected);
}

QString millisecondsValue(std::optional<double> milliseconds) {
    if (!milliseconds || !std::isfinite(*milliseconds)) {
        return unavailable;
    }
    std::array<char, 400> digits{};
    const auto written = std::to_chars(digits.data(), digits.data() + digits.size(), *milliseconds,
                                       std::chars_format::fixed, 1);
    if (written.ec != std::errc()) {
        return unavailable;
    }
    return QString::fromLatin1(digits.data(), written.ptr - digits.data()) + QStringLiteral(" ms");
}

QString speedValue(std::optional<double> download, std::optional<double> upload) {
    const auto downloadFigure = roundedRate(download);
    const auto uploadFigure = roundedRate(upload);
    if (!downloadFigure || !uploadFigure) {
        return unavailable;
    }
    return QString::number(*downloadFigure) + QStringLiteral(" / ") +
           QString::number(*uploadFigure) + QStringLiteral(" Mbps");
}

QString footer(Date exportedAt, const QLocale& locale, const TimeZoneOffsets& timeZone) {
    std::unique_ptr<icu::DateFormat> formatter(icu::DateFormat::createDateTimeInstance(
        icu::DateFormat::kMedium, icu::DateFormat::kMedium, IcuConversions::toIcuLocale(locale)));
    if (!formatter) {
        return QStringLiteral("Updated ");
    }
    const auto milliseconds =
        std::chrono::floor<std::chrono::milliseconds>(exportedAt.time_since_epoch());
    const auto instant = static_cast<UDate>(milliseconds.count());
    formatter->adoptTimeZone(IcuConversions::toIcuTimeZone(timeZone, instant).release());
    icu::UnicodeString text;
    formatter->format(instant, text);
    return QStringLiteral("Updated ") +
           DirectionIsolate::firstStrong(IcuConversions::toQString(text));
}

DiagnosticsSharePreviewCardContent content(const DiagnosticsExportReport& report,
                                           const QLocale& locale, const TimeZoneOffsets& timeZone) {
    using Report = DiagnosticsExportReport;
    const HealthState state = badgeState(report.runtime.healthState);
    const auto ssid = dataField(report.wifi.data, &Report::WiFiData::ssid);
    return DiagnosticsSharePreviewCardContent{
        state,
        state.rawValue().toUpper(),
        {
            {QStringLiteral("SSID"), ssid ? *ssid : unavailable},
            {QStringLiteral("Signal"),
             wholeNumber(dataField(report.wifi.data, &Report::WiFiData::rssiDbm),
                         QStringLiteral("dBm"))},
            {QStringLiteral("SNR"),
             wholeNumber(dataField(report.wifi.data, &Report::WiFiData::snrDb),
                         QStringLiteral("dB"))},
            {QStringLiteral("Internet Ping"),
             millisecondsValue(
                 dataField(report.latency.internetPing.data,
                           &Report::LatencySection::PingMetric::latencyMilliseconds))},
            {QStringLiteral("DNS"),
             millisecondsValue(dataField(report.latency.dnsLookup.data,
                                         &Report::LatencySection::DNSMetric::latencyMilliseconds))},
            {QStringLiteral("Connections"),
             wholeNumber(dataField(report.connectionPressure.data,
                                   &Report::ConnectionPressureData::totalCount))},
            {QStringLiteral("Speed"),
             speedValue(dataField(report.speedTest.data, &Report::SpeedTestData::downloadMbps),
                        dataField(report.speedTest.data, &Report::SpeedTestData::uploadMbps))},
        },
        footer(report.exportedAt, locale, timeZone)};
}

} // namespace DiagnosticsSharePreviewCardModel
