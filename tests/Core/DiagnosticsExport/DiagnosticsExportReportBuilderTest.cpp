#include "Core/DiagnosticsExport/DiagnosticsExportReportBuilder.h"

#include "Core/DiagnosticsExport/DiagnosticsExportReportFormatter.h"
#include "Core/DiagnosticsExport/SampleDiagnosticsReports.h"
#include "Support/QStringPrinter.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <vector>

#include <QString>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;
using namespace std::chrono_literals;
using Report = DiagnosticsExportReport;
using Status = Report::SectionStatus;

namespace {

// The sample report's own instants, and a distinct one per source so each section shows it
// takes its own.
const Date exportedAt = SampleDiagnosticsReports::exportInstant + 999ms;
const Date snapshotTime = SampleDiagnosticsReports::captureInstant + 500ms;
const Date wifiTime = exportedAt - 4s;
const Date routerTime = exportedAt - 5s;
const Date internetTime = exportedAt - 6s;
const Date dnsTime = exportedAt - 7s;
const Date connectionTime = exportedAt - 8s;
const Date portalTime = exportedAt - 9s;
const Date speedTime = exportedAt - 10s;
const Date scanTime = exportedAt - 11s;
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();

DiagnosticsSnapshot fullSnapshot() {
    return {.timestamp = snapshotTime,
            .wifiSnapshot = WiFiSnapshot{.timestamp = wifiTime,
                                         .ssid = QString::fromUtf8("Café Ørsted 📶"),
                                         .bssid = u"aa:bb:cc:dd:ee:ff"_s,
                                         .rssiDbm = -61,
                                         .noiseFloorDbm = -92,
                                         .snrDb = 31,
                                         .linkRateMbps = 866,
                                         .channelNumber = 36,
                                         .band = WiFiBand::fiveGigahertz,
                                         .ipAddress = u"192.168.1.23"_s,
                                         .isVPNActive = true},
            .routerPingResult = PingResult{.target = PingTarget::router,
                                           .timestamp = routerTime,
                                           .latencyMilliseconds = 2.5,
                                           .jitterMilliseconds = 0.4,
                                           .packetLossPercent = 0.0,
                                           .didSucceed = true},
            .internetPingResult = PingResult{.target = PingTarget::internet,
                                             .timestamp = internetTime,
                                             .latencyMilliseconds = 20.0,
                                             .jitterMilliseconds = 1.25,
                                             .packetLossPercent = 12.5,
                                             .didSucceed = true},
            .dnsResult = DNSResult{.domain = u"example.com"_s,
                                   .timestamp = dnsTime,
                                   .latencyMilliseconds = 31.75,
                                   .didSucceed = false},
            .healthState = HealthState::warning};
}

DiagnosticsExportInput fullInput() {
    return {
        .exportedAt = exportedAt,
        .appVersion = u"1.4.0"_s,
        .appBuild = u"142"_s,
        .monitoringEnabled = true,
        .batteryFriendlyModeEnabled = false,
        .diagnosticsSnapshot = fullSnapshot(),
        .connectionResult =
            ConnectionPressureResult{.timestamp = connectionTime,
                                     .counts = {.established = 10, .timeWait = 3, .closeWait = 2},
                                     .quality = SignalQuality::good},
        .connectionLastErrorMessage = u"Connection monitor failed to read TCP states."_s,
        .captivePortalStatus =
            CaptivePortalStatus{.timestamp = portalTime,
                                .isCaptivePortal = true,
                                .portalURL = QUrl(u"http://portal.example/login?a=b c"_s),
                                .probeURL = QUrl(u"http://probe.example/generate_204"_s),
                                .reason = CaptivePortalDetectionReason::redirect},
        .captivePortalLastErrorMessage = std::nullopt,
        .speedTestResult = SpeedTestResult{.timestamp = speedTime,
                                           .downloadMbps = 512.25,
                                           .uploadMbps = 48.0,
                                           .baselineLatencyMilliseconds = 11.5,
                                           .downloadLoadedLatencyMilliseconds = 40.125,
                                           .uploadLoadedLatencyMilliseconds = 60.0,
                                           .downloadBufferbloatRatio = 3.5,
                                           .uploadBufferbloatRatio = 5.25,
                                           .downloadBufferbloatGrade = BufferbloatGrade::b,
                                           .uploadBufferbloatGrade = BufferbloatGrade::c,
                                           .didSucceed = true},
        .speedTestPhase = SpeedTestPhase::completed,
        .speedTestLastErrorMessage = std::nullopt,
        .channelScanResult = ChannelScanResult{.timestamp = scanTime,
                                               .passCount = 3,
                                               .scannedNetworkCount = 17,
                                               .channels = {{.channelNumber = 36,
                                                             .band = WiFiBand::fiveGigahertz,
                                                             .networkCount = 4,
                                                             .averageRSSIDbm = -70.0,
                                                             .interferenceScore = 0.5,
                                                             .normalizedCongestion = 1.0}},
                                               .currentChannelNumber = 36,
                                               .currentBand = WiFiBand::unknown,
                                               .currentChannelInterferenceScore = 0.42,
                                               .suggestedChannelNumber = 149,
                                               .suggestedBand = WiFiBand::fiveGigahertz,
                                               .didSucceed = true},
        .channelScanLastErrorMessage = u""_s,
    };
}

// The sample report, where the input differs from it: its own instants, a VPN, a URL that needs
// escaping and an unknown band.
Report expectedFullReport() {
    Report report = SampleDiagnosticsReports::fullReport();
    report.wifi.data->capturedAt = wifiTime;
    report.wifi.data->vpnActive = true;
    report.latency.routerPing.data->capturedAt = routerTime;
    report.latency.internetPing.data->capturedAt = internetTime;
    report.latency.dnsLookup.data->capturedAt = dnsTime;
    report.connectionPressure.data->capturedAt = connectionTime;
    report.captivePortal.data->capturedAt = portalTime;
    report.captivePortal.data->portalURL = u"http://portal.example/login?a=b%20c"_s;
    report.speedTest.data->capturedAt = speedTime;
    report.channelScan.data->capturedAt = scanTime;
    report.channelScan.data->currentBand = u"Unknown"_s;
    return report;
}

Report built(const DiagnosticsExportInput& input) {
    return DiagnosticsExportReportBuilder::build(input);
}

// The status and error text of each of the eight sections, in one comparable shape.
struct SectionOutline {
    Status status;
    std::optional<QString> errorMessage;
    bool hasData;

    bool operator==(const SectionOutline&) const = default;
};

template <class Section> SectionOutline outline(const Section& section) {
    return {section.status, section.errorMessage, section.data.has_value()};
}

std::vector<SectionOutline> outlines(const Report& report) {
    return {outline(report.wifi),
            outline(report.latency.routerPing),
            outline(report.latency.internetPing),
            outline(report.latency.dnsLookup),
            outline(report.connectionPressure),
            outline(report.captivePortal),
            outline(report.speedTest),
            outline(report.channelScan)};
}

void PrintTo(const SectionOutline& section, std::ostream* stream) {
    *stream << section.status << (section.hasData ? " with data" : " without data") << ", error "
            << (section.errorMessage ? '"' + section.errorMessage->toStdString() + '"'
                                     : std::string("absent"));
}

} // namespace

TEST(DiagnosticsExportReportBuilderTest, MapsEverySourceValueIntoItsSectionTheSameEachTime) {
    EXPECT_EQ(built(fullInput()), expectedFullReport());
    EXPECT_EQ(DiagnosticsExportReportFormatter::prettyJSONString(built(fullInput())),
              DiagnosticsExportReportFormatter::prettyJSONString(built(fullInput())));
}

TEST(DiagnosticsExportReportBuilderTest,
     InputWithoutSourcesGivesUnavailableSectionsWithErrorTexts) {
    const DiagnosticsExportInput input{.exportedAt = Date{} - 500ms,
                                       .speedTestPhase = SpeedTestPhase::cancelled,
                                       .speedTestLastErrorMessage = u"Speed test failed."_s,
                                       .channelScanLastErrorMessage = u""_s};
    EXPECT_EQ(built(input), SampleDiagnosticsReports::reportWithEveryOptionalAbsent());
}

TEST(DiagnosticsExportReportBuilderTest, EachSnapshotSectionIsDecidedByItsOwnSourceAlone) {
    struct Case {
        const char* name;
        std::function<void(DiagnosticsSnapshot&)> remove;
        std::vector<bool> available; // wifi, router, internet, dns
    };
    const std::vector<Case> cases{
        {"all present", [](DiagnosticsSnapshot&) {}, {true, true, true, true}},
        {"no Wi-Fi",
         [](DiagnosticsSnapshot& s) { s.wifiSnapshot.reset(); },
         {false, true, true, true}},
        {"no router ping",
         [](DiagnosticsSnapshot& s) { s.routerPingResult.reset(); },
         {true, false, true, true}},
        {"no internet ping",
         [](DiagnosticsSnapshot& s) { s.internetPingResult.reset(); },
         {true, true, false, true}},
        {"no DNS", [](DiagnosticsSnapshot& s) { s.dnsResult.reset(); }, {true, true, true, false}},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        DiagnosticsExportInput input = fullInput();
        testCase.remove(*input.diagnosticsSnapshot);
        const std::vector<SectionOutline> sections = outlines(built(input));
        for (std::size_t index = 0; index < testCase.available.size(); ++index) {
            const bool available = testCase.available[index];
            EXPECT_EQ(sections[index],
                      (SectionOutline{available ? Status::available : Status::unavailable,
                                      std::nullopt, available}))
                << "section " << index;
        }
    }
}

TEST(DiagnosticsExportReportBuilderTest, ErrorTextsTravelUnchangedBesideEitherStatus) {
    struct Case {
        const char* name;
        std::optional<QString> DiagnosticsExportInput::*errorText;
        std::function<void(DiagnosticsExportInput&)> removeSource;
        std::size_t section;
    };
    const std::vector<Case> cases{
        {"connection", &DiagnosticsExportInput::connectionLastErrorMessage,
         [](DiagnosticsExportInput& input) { input.connectionResult.reset(); }, 4},
        {"captive portal", &DiagnosticsExportInput::captivePortalLastErrorMessage,
         [](DiagnosticsExportInput& input) { input.captivePortalStatus.reset(); }, 5},
        {"speed test", &DiagnosticsExportInput::speedTestLastErrorMessage,
         [](DiagnosticsExportInput& input) { input.speedTestResult.reset(); }, 6},
        {"channel scan", &DiagnosticsExportInput::channelScanLastErrorMessage,
         [](DiagnosticsExportInput& input) { input.channelScanResult.reset(); }, 7},
    };
    const std::vector<std::optional<QString>> texts{std::nullopt, u""_s, u"  failed: x "_s};
    for (const Case& testCase : cases) {
        for (const std::optional<QString>& text : texts) {
            for (const bool hasSource : {true, false}) {
                SCOPED_TRACE(std::string(testCase.name) + (hasSource ? " with" : " without") +
                             " source, text " + text.value_or(u"absent"_s).toStdString());
                DiagnosticsExportInput input = fullInput();
                input.*testCase.errorText = text;
                if (!hasSource) {
                    testCase.removeSource(input);
                }
                EXPECT_EQ(outlines(built(input))[testCase.section],
                          (SectionOutline{hasSource ? Status::available : Status::unavailable, text,
                                          hasSource}));
            }
        }
    }
}

TEST(DiagnosticsExportReportBuilderTest, HealthAndSpeedTestPhaseAreTheirRawTexts) {
    for (const HealthState health : HealthState::allCases()) {
        DiagnosticsExportInput input = fullInput();
        input.diagnosticsSnapshot->healthState = health;
        EXPECT_EQ(built(input).runtime.healthState, health.rawValue());
    }
    for (const SpeedTestPhase phase : SpeedTestPhase::allCases()) {
        for (const bool hasResult : {true, false}) {
            DiagnosticsExportInput input = fullInput();
            input.speedTestPhase = phase;
            if (!hasResult) {
                input.speedTestResult.reset();
            }
            const Report::SpeedTestSection section = built(input).speedTest;
            EXPECT_EQ(section.phase, phase.rawValue());
            EXPECT_EQ(section.status, hasResult ? Status::available : Status::unavailable);
        }
    }
}

TEST(DiagnosticsExportReportBuilderTest, AbsentSourceFieldsStayAbsent) {
    DiagnosticsExportInput input = fullInput();
    DiagnosticsSnapshot& snapshot = *input.diagnosticsSnapshot;
    // Empty, zero and false values are kept; only absent ones are left out.
    snapshot.wifiSnapshot = WiFiSnapshot{};
    snapshot.wifiSnapshot->timestamp = wifiTime;
    snapshot.wifiSnapshot->ssid = u""_s;
    snapshot.routerPingResult->latencyMilliseconds.reset();
    snapshot.routerPingResult->jitterMilliseconds.reset();
    snapshot.dnsResult->latencyMilliseconds.reset();
    input.captivePortalStatus->portalURL.reset();
    input.speedTestResult->baselineLatencyMilliseconds.reset();
    input.speedTestResult->downloadLoadedLatencyMilliseconds.reset();
    input.speedTestResult->uploadLoadedLatencyMilliseconds.reset();
    input.speedTestResult->downloadBufferbloatGrade.reset();
    input.speedTestResult->uploadBufferbloatGrade.reset();
    input.channelScanResult->channels.clear();
    input.channelScanResult->currentChannelNumber.reset();
    input.channelScanResult->currentBand.reset();
    input.channelScanResult->currentChannelInterferenceScore.reset();
    input.channelScanResult->suggestedChannelNumber.reset();
    input.channelScanResult->suggestedBand.reset();

    Report expected = expectedFullReport();
    expected.wifi.data = Report::WiFiData{.capturedAt = wifiTime,
                                          .ssid = u""_s,
                                          .rssiDbm = 0,
                                          .noiseFloorDbm = 0,
                                          .snrDb = 0,
                                          .vpnActive = false};
    expected.latency.routerPing.data->latencyMilliseconds.reset();
    expected.latency.routerPing.data->jitterMilliseconds.reset();
    expected.latency.dnsLookup.data->latencyMilliseconds.reset();
    expected.captivePortal.data->portalURL.reset();
    expected.speedTest.data = Report::SpeedTestData{
        .capturedAt = speedTime, .downloadMbps = 512.25, .uploadMbps = 48.0, .didSucceed = true};
    expected.channelScan.data = Report::ChannelScanData{
        .capturedAt = scanTime, .passCount = 3, .scannedNetworkCount = 17, .didSucceed = true};
    EXPECT_EQ(built(input), expected);
}

TEST(DiagnosticsExportReportBuilderTest, ConnectionSumsAreExactOrLeftOutOnOverflow) {
    struct Case {
        TCPConnectionStateCounts counts;
        std::optional<std::int64_t> total;
        std::optional<std::int64_t> orphaned;
    };
    const std::vector<Case> cases{
        {{10, 3, 2}, 15, 5},
        {{0, 0, 0}, 0, 0},
        {{int64Max - 5, 3, 2}, int64Max, 5},
        {{int64Max - 4, 3, 2}, std::nullopt, 5},
        {{1, int64Max - 1, 1}, std::nullopt, int64Max},
        {{0, int64Max, 1}, std::nullopt, std::nullopt},
        {{int64Max, 1, -1}, int64Max, 0},
        {{int64Min, int64Max, int64Max}, int64Max - 1, std::nullopt},
        {{int64Min, -1, 0}, std::nullopt, -1},
        {{0, int64Min, -1}, std::nullopt, std::nullopt},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.counts.established);
        DiagnosticsExportInput input = fullInput();
        input.connectionResult->counts = testCase.counts;
        const Report::ConnectionPressureData data = *built(input).connectionPressure.data;
        EXPECT_EQ(data.establishedCount, testCase.counts.established);
        EXPECT_EQ(data.timeWaitCount, testCase.counts.timeWait);
        EXPECT_EQ(data.closeWaitCount, testCase.counts.closeWait);
        EXPECT_EQ(data.totalCount, testCase.total);
        EXPECT_EQ(data.orphanedCount, testCase.orphaned);
    }
}

namespace {

struct SpoiledNumber {
    const char* name;
    void (*spoil)(DiagnosticsExportInput&, Report&, double);
};

SpoiledNumber spoiledNumber(const char* name,
                            void (*spoil)(DiagnosticsExportInput&, Report&, double)) {
    return {name, spoil};
}

} // namespace

// Sets one input number and leaves the matching report number out of the expected report.
#define SPOILED(inputField, reportField)                                                           \
    spoiledNumber(#inputField, [](DiagnosticsExportInput& input, Report& expected, double value) { \
        input.inputField = value;                                                                  \
        expected.reportField.reset();                                                              \
    })

TEST(DiagnosticsExportReportBuilderTest, NonFiniteNumbersAreLeftOutSoTheReportStillWrites) {
    const std::vector<SpoiledNumber> cases{
        SPOILED(diagnosticsSnapshot->routerPingResult->latencyMilliseconds,
                latency.routerPing.data->latencyMilliseconds),
        SPOILED(diagnosticsSnapshot->internetPingResult->jitterMilliseconds,
                latency.internetPing.data->jitterMilliseconds),
        SPOILED(diagnosticsSnapshot->internetPingResult->packetLossPercent,
                latency.internetPing.data->packetLossPercent),
        SPOILED(diagnosticsSnapshot->dnsResult->latencyMilliseconds,
                latency.dnsLookup.data->latencyMilliseconds),
        SPOILED(speedTestResult->downloadMbps, speedTest.data->downloadMbps),
        SPOILED(speedTestResult->uploadMbps, speedTest.data->uploadMbps),
        SPOILED(speedTestResult->baselineLatencyMilliseconds,
                speedTest.data->baselineLatencyMilliseconds),
        SPOILED(speedTestResult->downloadLoadedLatencyMilliseconds,
                speedTest.data->downloadLoadedLatencyMilliseconds),
        SPOILED(speedTestResult->uploadLoadedLatencyMilliseconds,
                speedTest.data->uploadLoadedLatencyMilliseconds),
        SPOILED(channelScanResult->currentChannelInterferenceScore,
                channelScan.data->currentChannelInterferenceScore),
    };
    for (const SpoiledNumber& testCase : cases) {
        for (const double value : {notANumber, infinity, -infinity}) {
            SCOPED_TRACE(std::string(testCase.name) + " " + std::to_string(value));
            DiagnosticsExportInput input = fullInput();
            Report expected = expectedFullReport();
            testCase.spoil(input, expected, value);
            const Report report = built(input);
            EXPECT_EQ(report, expected);
            EXPECT_NO_THROW((void)DiagnosticsExportReportFormatter::prettyJSONString(report));
        }
    }
}

#undef SPOILED
