#include "Core/DomainModels.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include <QSet>
#include <QString>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;
using namespace std::chrono_literals;

namespace {

const Date referenceTime = Date{} + 1'700'000'000s;
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

template <class Enumeration> using CaseTable = std::vector<std::pair<Enumeration, QString>>;

template <class Enumeration> void expectCasesInOrder(const CaseTable<Enumeration>& expected) {
    const auto all = Enumeration::allCases();
    ASSERT_EQ(all.size(), expected.size());
    for (std::size_t index = 0; index < expected.size(); ++index) {
        const auto& [expectedCase, expectedText] = expected[index];
        SCOPED_TRACE(expectedText.toStdString());
        EXPECT_EQ(all[index], expectedCase);
        EXPECT_EQ(all[index].rawValue(), expectedText);
        EXPECT_EQ(Enumeration::fromRawValue(expectedText), expectedCase);
    }
}

template <class Enumeration> void expectNoCaseFor(const std::vector<QString>& texts) {
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_FALSE(Enumeration::fromRawValue(text).has_value());
    }
}

template <class Enumeration> void expectDistinctHashKeys() {
    const auto all = Enumeration::allCases();
    const std::unordered_set<Enumeration> standardSet(all.begin(), all.end());
    const QSet<Enumeration> qtSet(all.begin(), all.end());
    EXPECT_EQ(standardSet.size(), all.size());
    EXPECT_EQ(static_cast<std::size_t>(qtSet.size()), all.size());
    for (const Enumeration value : all) {
        EXPECT_TRUE(standardSet.contains(value)) << value;
        EXPECT_TRUE(qtSet.contains(value)) << value;
    }
}

template <class Value> using Change = std::pair<std::string, std::function<void(Value&)>>;

template <class Value>
void expectEachChangeMakesUnequal(const Value& original,
                                  const std::vector<Change<Value>>& changes) {
    for (const auto& [description, change] : changes) {
        SCOPED_TRACE(description);
        Value changed = original;
        change(changed);
        EXPECT_FALSE(changed == original);
        EXPECT_FALSE(original == changed);
    }
}

WiFiSnapshot sampleWiFiSnapshot() {
    return {.timestamp = referenceTime,
            .ssid = u"Office"_s,
            .bssid = u"a4:2b:b0:11:22:33"_s,
            .rssiDbm = -55,
            .noiseFloorDbm = -92,
            .snrDb = 37,
            .linkRateMbps = 866,
            .channelNumber = 36,
            .band = WiFiBand::fiveGigahertz,
            .ipAddress = u"192.168.1.23"_s,
            .isVPNActive = false};
}

PingResult samplePingResult() {
    return {.target = PingTarget::internet,
            .timestamp = referenceTime,
            .latencyMilliseconds = 23.5,
            .jitterMilliseconds = 2.25,
            .packetLossPercent = 0.0,
            .didSucceed = true};
}

DNSResult sampleDNSResult() {
    return {.domain = u"example.com"_s,
            .timestamp = referenceTime,
            .latencyMilliseconds = 18.0,
            .didSucceed = true};
}

const std::array<std::optional<QString> WiFiSnapshot::*, 3> wifiSnapshotTextFields{
    &WiFiSnapshot::ssid, &WiFiSnapshot::bssid, &WiFiSnapshot::ipAddress};

ChannelCongestionSample sampleChannel(std::int64_t channelNumber) {
    return {.channelNumber = channelNumber,
            .band = WiFiBand::fiveGigahertz,
            .networkCount = 3,
            .averageRSSIDbm = -67.5,
            .interferenceScore = 1.75,
            .normalizedCongestion = 0.5};
}

ChannelScanResult emptyChannelScanResult() {
    return {.timestamp = referenceTime,
            .passCount = 3,
            .scannedNetworkCount = 0,
            .channels = {},
            .currentChannelNumber = std::nullopt,
            .currentBand = std::nullopt,
            .currentChannelInterferenceScore = std::nullopt,
            .suggestedChannelNumber = std::nullopt,
            .suggestedBand = std::nullopt,
            .didSucceed = true};
}

SpeedTestResult sampleSpeedTestResult() {
    return {.timestamp = referenceTime,
            .downloadMbps = 250.0,
            .uploadMbps = 40.0,
            .baselineLatencyMilliseconds = 12.0,
            .downloadLoadedLatencyMilliseconds = 30.0,
            .uploadLoadedLatencyMilliseconds = 60.0,
            .downloadBufferbloatRatio = 2.5,
            .uploadBufferbloatRatio = 5.0,
            .downloadBufferbloatGrade = BufferbloatGrade::b,
            .uploadBufferbloatGrade = BufferbloatGrade::f,
            .didSucceed = true};
}

CaptivePortalStatus noPortalStatus() {
    return {.timestamp = referenceTime,
            .isCaptivePortal = false,
            .portalURL = std::nullopt,
            .probeURL = std::nullopt,
            .reason = CaptivePortalDetectionReason::none};
}

DiagnosticsSnapshot sampleDiagnosticsSnapshot() {
    return {.timestamp = referenceTime,
            .wifiSnapshot = sampleWiFiSnapshot(),
            .routerPingResult = std::nullopt,
            .internetPingResult = samplePingResult(),
            .dnsResult = sampleDNSResult(),
            .healthState = HealthState::good};
}

} // namespace

TEST(DomainModelsTest, EnumerationsListTheirCasesInDeclarationOrderWithTheirRawTexts) {
    expectCasesInOrder<WiFiBand>({{WiFiBand::twoPointFourGigahertz, u"2.4 GHz"_s},
                                  {WiFiBand::fiveGigahertz, u"5 GHz"_s},
                                  {WiFiBand::sixGigahertz, u"6 GHz"_s},
                                  {WiFiBand::unknown, u"Unknown"_s}});
    expectCasesInOrder<SignalQuality>({{SignalQuality::good, u"good"_s},
                                       {SignalQuality::warning, u"warning"_s},
                                       {SignalQuality::poor, u"poor"_s}});
    expectCasesInOrder<HealthState>({{HealthState::good, u"good"_s},
                                     {HealthState::warning, u"warning"_s},
                                     {HealthState::poor, u"poor"_s},
                                     {HealthState::disconnected, u"disconnected"_s}});
    expectCasesInOrder<PingTarget>(
        {{PingTarget::router, u"router"_s}, {PingTarget::internet, u"internet"_s}});
    expectCasesInOrder<CaptivePortalDetectionReason>(
        {{CaptivePortalDetectionReason::none, u"none"_s},
         {CaptivePortalDetectionReason::redirect, u"redirect"_s},
         {CaptivePortalDetectionReason::contentInjection, u"contentInjection"_s}});
    expectCasesInOrder<SpeedTestPhase>({{SpeedTestPhase::idle, u"idle"_s},
                                        {SpeedTestPhase::download, u"download"_s},
                                        {SpeedTestPhase::upload, u"upload"_s},
                                        {SpeedTestPhase::completed, u"completed"_s},
                                        {SpeedTestPhase::cancelled, u"cancelled"_s},
                                        {SpeedTestPhase::failed, u"failed"_s}});
    expectCasesInOrder<BufferbloatGrade>({{BufferbloatGrade::a, u"A"_s},
                                          {BufferbloatGrade::b, u"B"_s},
                                          {BufferbloatGrade::c, u"C"_s},
                                          {BufferbloatGrade::f, u"F"_s}});
}

TEST(DomainModelsTest, TextsThatMerelyResembleARawTextGiveNoCase) {
    expectNoCaseFor<WiFiBand>({u"2.4GHz"_s, u"unknown"_s, u"Unknown "_s, u" 5 GHz"_s, u"5 ghz"_s,
                               u"2.4\u00A0GHz"_s, u"6 GHz\n"_s, u"5 GHz"_s + QChar(u'\0'), u""_s,
                               u"twoPointFourGigahertz"_s});
    expectNoCaseFor<BufferbloatGrade>({u"a"_s, u"D"_s, u"E"_s, u"A "_s, u"\uFF21"_s});
    expectNoCaseFor<HealthState>({u"Good"_s, u"DISCONNECTED"_s, u"disconnected\t"_s});
    expectNoCaseFor<SignalQuality>({u"Poor"_s, u"bad"_s, u"warn"_s});
    expectNoCaseFor<PingTarget>({u"Router"_s, u"gateway"_s});
    expectNoCaseFor<CaptivePortalDetectionReason>(
        {u"None"_s, u"contentinjection"_s, u"content injection"_s});
    expectNoCaseFor<SpeedTestPhase>({u"canceled"_s, u"Failed"_s, u"complete"_s});
}

TEST(DomainModelsTest, EnumerationCasesAreDistinctKeysInStandardAndQtHashSets) {
    expectDistinctHashKeys<WiFiBand>();
    expectDistinctHashKeys<SignalQuality>();
    expectDistinctHashKeys<HealthState>();
    expectDistinctHashKeys<PingTarget>();
    expectDistinctHashKeys<CaptivePortalDetectionReason>();
    expectDistinctHashKeys<SpeedTestPhase>();
    expectDistinctHashKeys<BufferbloatGrade>();
}

TEST(DomainModelsTest, EnumerationCasesPrintAsTheirRawTexts) {
    EXPECT_EQ(testing::PrintToString(WiFiBand(WiFiBand::twoPointFourGigahertz)), "2.4 GHz");
    EXPECT_EQ(testing::PrintToString(BufferbloatGrade(BufferbloatGrade::a)), "A");
    EXPECT_EQ(testing::PrintToString(
                  CaptivePortalDetectionReason(CaptivePortalDetectionReason::contentInjection)),
              "contentInjection");
}

TEST(DomainModelsTest, PingResultsDifferingInAnyOneFieldAreUnequal) {
    EXPECT_EQ(samplePingResult(), samplePingResult());
    expectEachChangeMakesUnequal<PingResult>(
        samplePingResult(),
        {{"target", [](PingResult& value) { value.target = PingTarget::router; }},
         {"timestamp only", [](PingResult& value) { value.timestamp += 1us; }},
         {"latency 0 against 23.5", [](PingResult& value) { value.latencyMilliseconds = 0.0; }},
         {"jitter absent", [](PingResult& value) { value.jitterMilliseconds.reset(); }},
         {"packet loss", [](PingResult& value) { value.packetLossPercent = 10.0; }},
         {"did not succeed", [](PingResult& value) { value.didSucceed = false; }}});
}

TEST(DomainModelsTest, WiFiSnapshotsDifferingInAnyOneFieldAreUnequal) {
    EXPECT_EQ(sampleWiFiSnapshot(), sampleWiFiSnapshot());
    expectEachChangeMakesUnequal<WiFiSnapshot>(
        sampleWiFiSnapshot(),
        {{"timestamp", [](WiFiSnapshot& value) { value.timestamp -= 1ms; }},
         {"ssid", [](WiFiSnapshot& value) { value.ssid = u"Lab"_s; }},
         {"ssid letter case", [](WiFiSnapshot& value) { value.ssid = u"office"_s; }},
         {"bssid", [](WiFiSnapshot& value) { value.bssid = u"a4:2b:b0:11:22:34"_s; }},
         {"rssi", [](WiFiSnapshot& value) { value.rssiDbm = -56; }},
         {"noise floor", [](WiFiSnapshot& value) { value.noiseFloorDbm = -91; }},
         {"snr", [](WiFiSnapshot& value) { value.snrDb = 36; }},
         {"link rate", [](WiFiSnapshot& value) { value.linkRateMbps = 867; }},
         {"channel", [](WiFiSnapshot& value) { value.channelNumber = 40; }},
         {"band", [](WiFiSnapshot& value) { value.band = WiFiBand::sixGigahertz; }},
         {"ip address", [](WiFiSnapshot& value) { value.ipAddress = u"192.168.1.24"_s; }},
         {"vpn", [](WiFiSnapshot& value) { value.isVPNActive = true; }}});
}

TEST(DomainModelsTest, DNSResultsDifferingInAnyOneFieldAreUnequal) {
    EXPECT_EQ(sampleDNSResult(), sampleDNSResult());
    expectEachChangeMakesUnequal<DNSResult>(
        sampleDNSResult(),
        {{"domain", [](DNSResult& value) { value.domain = u"example.org"_s; }},
         {"domain letter case", [](DNSResult& value) { value.domain = u"Example.com"_s; }},
         {"timestamp", [](DNSResult& value) { value.timestamp += 1us; }},
         {"latency", [](DNSResult& value) { value.latencyMilliseconds = 18.5; }},
         {"did not succeed", [](DNSResult& value) { value.didSucceed = false; }}});
}

TEST(DomainModelsTest, AnAbsentValueDiffersFromEveryPresentOne) {
    auto withoutLatency = samplePingResult();
    withoutLatency.latencyMilliseconds.reset();
    auto zeroLatency = samplePingResult();
    zeroLatency.latencyMilliseconds = 0.0;
    EXPECT_NE(withoutLatency, zeroLatency);

    auto hiddenSSID = sampleWiFiSnapshot();
    hiddenSSID.ssid.reset();
    auto emptySSID = sampleWiFiSnapshot();
    emptySSID.ssid = QString();
    EXPECT_NE(hiddenSSID, emptySSID);

    auto emptyPortalURL = noPortalStatus();
    emptyPortalURL.portalURL = QUrl();
    EXPECT_NE(noPortalStatus(), emptyPortalURL);

    auto suggestedChannelZero = emptyChannelScanResult();
    suggestedChannelZero.suggestedChannelNumber = 0;
    EXPECT_NE(emptyChannelScanResult(), suggestedChannelZero);

    auto withoutGrade = sampleSpeedTestResult();
    withoutGrade.downloadBufferbloatGrade.reset();
    EXPECT_NE(sampleSpeedTestResult(), withoutGrade);

    auto withoutRouterPing = sampleDiagnosticsSnapshot();
    auto withRouterPing = sampleDiagnosticsSnapshot();
    withRouterPing.routerPingResult = samplePingResult();
    EXPECT_NE(withoutRouterPing, withRouterPing);
}

TEST(DomainModelsTest, AValueHoldingNaNIsUnequalToItsCopy) {
    auto ping = samplePingResult();
    ping.jitterMilliseconds = notANumber;
    const auto pingCopy = ping;
    EXPECT_NE(pingCopy, ping);

    auto dns = sampleDNSResult();
    dns.latencyMilliseconds = notANumber;
    const auto dnsCopy = dns;
    EXPECT_NE(dnsCopy, dns);

    auto speedTest = sampleSpeedTestResult();
    speedTest.downloadMbps = notANumber;
    const auto speedTestCopy = speedTest;
    EXPECT_NE(speedTestCopy, speedTest);

    auto channel = sampleChannel(36);
    channel.normalizedCongestion = notANumber;
    auto scan = emptyChannelScanResult();
    scan.channels = {sampleChannel(1), channel};
    const auto scanCopy = scan;
    EXPECT_NE(scanCopy, scan);

    auto diagnostics = sampleDiagnosticsSnapshot();
    diagnostics.internetPingResult = ping;
    const auto diagnosticsCopy = diagnostics;
    EXPECT_NE(diagnosticsCopy, diagnostics);
}

TEST(DomainModelsTest, CanonicallyEquivalentTextsAreEqual) {
    // Each pair spells the same text with different code points.
    const std::vector<std::pair<QString, QString>> equivalentTexts{
        {u"Caf\u00E9"_s, u"Cafe\u0301"_s},        // precomposed against e + combining acute
        {u"\u1EAD"_s, u"a\u0302\u0323"_s},        // combining marks in non-canonical order
        {u"a\u0323\u0302"_s, u"a\u0302\u0323"_s}, // the two orders of the same marks
        {u"\u212B"_s, u"\u00C5"_s},               // angstrom sign against A with ring
    };
    for (const auto& [left, right] : equivalentTexts) {
        SCOPED_TRACE(left.toStdString() + " / " + right.toStdString());
        ASSERT_NE(left, right);
        for (const auto field : wifiSnapshotTextFields) {
            auto leftSnapshot = sampleWiFiSnapshot();
            auto rightSnapshot = sampleWiFiSnapshot();
            leftSnapshot.*field = left;
            rightSnapshot.*field = right;
            EXPECT_EQ(leftSnapshot, rightSnapshot);
        }
        auto leftDNS = sampleDNSResult();
        auto rightDNS = sampleDNSResult();
        leftDNS.domain = left;
        rightDNS.domain = right;
        EXPECT_EQ(leftDNS, rightDNS);
    }
}

TEST(DomainModelsTest, TextsThatAreOnlyCompatibilityEquivalentOrLookAlikeAreUnequal) {
    const std::vector<std::pair<QString, QString>> distinctTexts{
        {u"\uFB01le"_s, u"file"_s},        // ligature fi: compatibility, not canonical
        {u"Caf\u00E9"_s, u"Cafe"_s},       // accent dropped
        {u"Cafe\u0301"_s, u"Caf\u00E8"_s}, // acute against grave
        {u"\u00C5"_s, u"A"_s},             // ring dropped
    };
    for (const auto& [left, right] : distinctTexts) {
        SCOPED_TRACE(left.toStdString() + " / " + right.toStdString());
        for (const auto field : wifiSnapshotTextFields) {
            auto leftSnapshot = sampleWiFiSnapshot();
            auto rightSnapshot = sampleWiFiSnapshot();
            leftSnapshot.*field = left;
            rightSnapshot.*field = right;
            EXPECT_NE(leftSnapshot, rightSnapshot);
        }
        auto leftDNS = sampleDNSResult();
        auto rightDNS = sampleDNSResult();
        leftDNS.domain = left;
        rightDNS.domain = right;
        EXPECT_NE(leftDNS, rightDNS);
    }
}

TEST(DomainModelsTest, NestedValuesCompareByTheirOwnEquality) {
    auto precomposed = sampleDiagnosticsSnapshot();
    precomposed.wifiSnapshot->ssid = u"Caf\u00E9"_s;
    precomposed.dnsResult->domain = u"caf\u00E9.example"_s;
    auto decomposed = sampleDiagnosticsSnapshot();
    decomposed.wifiSnapshot->ssid = u"Cafe\u0301"_s;
    decomposed.dnsResult->domain = u"cafe\u0301.example"_s;
    EXPECT_EQ(precomposed, decomposed);

    decomposed.internetPingResult->timestamp += 1ms;
    EXPECT_NE(precomposed, decomposed);

    const ConnectionPressureResult pressure{
        .timestamp = referenceTime,
        .counts = {.established = 40, .timeWait = 5, .closeWait = 1},
        .quality = SignalQuality::good};
    auto morePressure = pressure;
    morePressure.counts.closeWait = 2;
    EXPECT_NE(pressure, morePressure);
}

TEST(DomainModelsTest, ChannelScanResultsCompareTheirChannelListsInOrder) {
    const auto empty = emptyChannelScanResult();
    EXPECT_EQ(empty, emptyChannelScanResult());

    auto ascending = empty;
    ascending.channels = {sampleChannel(36), sampleChannel(40)};
    auto descending = empty;
    descending.channels = {sampleChannel(40), sampleChannel(36)};
    EXPECT_NE(ascending, descending);
    EXPECT_NE(ascending, empty);

    auto withSuggestionBandOnly = empty;
    withSuggestionBandOnly.suggestedBand = WiFiBand::fiveGigahertz;
    EXPECT_NE(empty, withSuggestionBandOnly);
}
