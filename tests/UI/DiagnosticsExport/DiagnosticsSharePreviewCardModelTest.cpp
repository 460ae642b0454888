#include "UI/DiagnosticsExport/DiagnosticsSharePreviewCardModel.h"

#include "Support/QStringPrinter.h"
#include "Support/ScopedCompiledLocale.h"
#include "Support/UnavailableDiagnosticsReport.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

using namespace Qt::Literals::StringLiterals;
using Report = DiagnosticsExportReport;
using Metric = DiagnosticsSharePreviewCardContent::Metric;

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

// 2026-03-04T05:06:07Z.
const Date exportTime = Date(std::chrono::seconds(1'772'600'767));

Report emptyReport(const QString& health = QStringLiteral("disconnected")) {
    return unavailableDiagnosticsReport(exportTime, health);
}

Report fullReport() {
    const auto available = Report::SectionStatus::available;
    Report report = emptyReport(QStringLiteral("good"));
    report.wifi = {
        available, std::nullopt,
        Report::WiFiData{.ssid = QStringLiteral("Café Linden"), .rssiDbm = -61, .snrDb = 31}};
    report.latency.internetPing = {
        available, std::nullopt, Report::LatencySection::PingMetric{.latencyMilliseconds = 12.34}};
    report.latency.dnsLookup = {available, std::nullopt,
                                Report::LatencySection::DNSMetric{.latencyMilliseconds = 7}};
    report.connectionPressure = {available, std::nullopt,
                                 Report::ConnectionPressureData{.totalCount = 51}};
    report.speedTest = {QStringLiteral("completed"), available, std::nullopt,
                        Report::SpeedTestData{.downloadMbps = 93.5, .uploadMbps = 11.49}};
    return report;
}

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QTimeZone utc(QByteArrayLiteral("UTC"));

QStringList valuesOf(const Report& report) {
    QStringList texts;
    for (const Metric& metric :
         DiagnosticsSharePreviewCardModel::content(report, english, utc).metrics) {
        texts << metric.value;
    }
    return texts;
}

} // namespace

TEST(DiagnosticsSharePreviewCardModelTest, RowsShowTheReportsValuesInTheirOrder) {
    const auto content = DiagnosticsSharePreviewCardModel::content(fullReport(), english, utc);
    const std::vector<Metric> expected{{QStringLiteral("SSID"), QStringLiteral("Café Linden")},
                                       {QStringLiteral("Signal"), QStringLiteral("-61 dBm")},
                                       {QStringLiteral("SNR"), QStringLiteral("31 dB")},
                                       {QStringLiteral("Internet Ping"), QStringLiteral("12.3 ms")},
                                       {QStringLiteral("DNS"), QStringLiteral("7.0 ms")},
                                       {QStringLiteral("Connections"), QStringLiteral("51")},
                                       {QStringLiteral("Speed"), QStringLiteral("94 / 11 Mbps")}};
    EXPECT_EQ(content.metrics, expected);
    EXPECT_EQ(content.badgeText, QStringLiteral("GOOD"));
    EXPECT_EQ(content.footer, QStringLiteral("Updated \u2068Mar 4, 2026, 5:06:07\u202fAM\u2069"));
}

TEST(DiagnosticsSharePreviewCardModelTest, EachMissingValueIsUnavailableInItsRowAlone) {
    const auto unavailable = DiagnosticsSharePreviewCardModel::unavailable;
    EXPECT_EQ(valuesOf(emptyReport()), QStringList(7, unavailable));

    Report report = fullReport();
    report.wifi.data->ssid = std::nullopt;
    report.connectionPressure.data->totalCount = 0;
    report.wifi.data->snrDb = 0;
    report.speedTest.data->uploadMbps = std::nullopt;
    EXPECT_EQ(valuesOf(report),
              (QStringList{unavailable, "-61 dBm", "0 dB", "12.3 ms", "7.0 ms", "0", unavailable}));

    report.wifi.data->ssid = QString();
    EXPECT_EQ(valuesOf(report).first(), QString());
}

TEST(DiagnosticsSharePreviewCardModelTest, OnlyAnExactRawValueColoursTheBadge) {
    const std::vector<std::tuple<QString, HealthState, QString>> cases{
        {"good", HealthState::good, "GOOD"},
        {"warning", HealthState::warning, "WARNING"},
        {"poor", HealthState::poor, "POOR"},
        {"disconnected", HealthState::disconnected, "DISCONNECTED"},
        {"Good", HealthState::disconnected, "DISCONNECTED"},
        {"", HealthState::disconnected, "DISCONNECTED"},
    };
    for (const auto& [text, state, badge] : cases) {
        const auto content =
            DiagnosticsSharePreviewCardModel::content(emptyReport(text), english, utc);
        EXPECT_EQ(content.badgeState, state) << text.toStdString();
        EXPECT_EQ(content.badgeText, badge) << text.toStdString();
    }
}

// "%.1f" in the C locale: the exact binary value rounded, ties to even.
TEST(DiagnosticsSharePreviewCardModelTest, MillisecondsHaveOneDecimalWithAPointInEveryLocale) {
    const std::vector<std::pair<std::optional<double>, QString>> cases{
        {12.34, "12.3 ms"},        {7, "7.0 ms"},
        {12.25, "12.2 ms"},        {12.75, "12.8 ms"},
        {0.05, "0.1 ms"},          {-0.04, "-0.0 ms"},
        {1e6, "1000000.0 ms"},     {notANumber, "Unavailable"},
        {infinity, "Unavailable"}, {std::nullopt, "Unavailable"},
    };
    const ScopedCompiledLocale german("de_DE");
    ASSERT_TRUE(german.isActive());
    for (const auto& [milliseconds, expected] : cases) {
        EXPECT_EQ(DiagnosticsSharePreviewCardModel::millisecondsValue(milliseconds), expected)
            << expected.toStdString();
    }
}

TEST(DiagnosticsSharePreviewCardModelTest, SpeedRoundsHalvesAwayAndRefusesWhatItCannotShow) {
    const std::vector<std::tuple<std::optional<double>, std::optional<double>, QString>> cases{
        {93.5, 11.49, "94 / 11 Mbps"},
        {0.5, -0.5, "1 / -1 Mbps"},
        {0, 0, "0 / 0 Mbps"},
        {93.5, std::nullopt, "Unavailable"},
        {std::nullopt, 11.0, "Unavailable"},
        {notANumber, 11.0, "Unavailable"},
        {93.5, infinity, "Unavailable"},
        {9.3e18, 1.0, "Unavailable"},
        {-9.3e18, 1.0, "Unavailable"},
        {9.2e18, 1.0, "9200000000000000000 / 1 Mbps"},
    };
    const ScopedCompiledLocale german("de_DE");
    for (const auto& [download, upload, expected] : cases) {
        EXPECT_EQ(DiagnosticsSharePreviewCardModel::speedValue(download, upload), expected)
            << expected.toStdString();
    }
}

// The date is set apart from the sentence, so that a right-to-left one reads
// as its locale writes it inside the left-to-right line.
TEST(DiagnosticsSharePreviewCardModelTest, FooterFollowsTheLocaleAndTimeZone) {
    const struct {
        QLocale locale;
        QString footer;
    } cases[] = {
        {QLocale(QLocale::German, QLocale::Germany), u"Updated \u206804.03.2026, 06:06:07\u2069"_s},
        {QLocale(QLocale::Hebrew, QLocale::Israel), u"Updated \u20684 במרץ 2026, 6:06:07\u2069"_s},
    };
    for (const auto& [locale, footer] : cases) {
        EXPECT_EQ(DiagnosticsSharePreviewCardModel::footer(
                      exportTime, locale, QTimeZone(QByteArrayLiteral("Europe/Berlin"))),
                  footer);
    }
}
