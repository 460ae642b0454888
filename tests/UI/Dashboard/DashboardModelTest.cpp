#include "UI/Dashboard/DashboardModel.h"

#include "Support/QStringPrinter.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Popover/SparklineDomains.h"

#include <chrono>
#include <gtest/gtest.h>

#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);
const Date someDate = Date{} + std::chrono::seconds(1'767'225'600);
const QString dash = u"\u2014"_s;

WiFiSnapshot snapshot(std::int64_t rssi, std::int64_t noise, std::optional<std::int64_t> linkRate) {
    return {.timestamp = someDate,
            .ssid = u"Office"_s,
            .bssid = std::nullopt,
            .rssiDbm = rssi,
            .noiseFloorDbm = noise,
            .snrDb = rssi - noise,
            .linkRateMbps = linkRate,
            .channelNumber = 36,
            .band = WiFiBand::fiveGigahertz,
            .ipAddress = std::nullopt,
            .isVPNActive = false};
}

PingResult ping(PingTarget target, std::optional<double> latency, std::optional<double> jitter,
                double loss) {
    return {.target = target,
            .timestamp = someDate,
            .latencyMilliseconds = latency,
            .jitterMilliseconds = jitter,
            .packetLossPercent = loss,
            .didSucceed = latency.has_value()};
}

DNSResult lookup(std::optional<double> latency) {
    return {.domain = u"example.org"_s,
            .timestamp = someDate,
            .latencyMilliseconds = latency,
            .didSucceed = latency.has_value()};
}

// A healthy network, two polls in.
DashboardInputs good() {
    DashboardInputs inputs;
    inputs.isMonitoringEnabled = true;
    inputs.monitoringStatusText = u"Monitoring active in detailed mode."_s;
    inputs.healthState = HealthState::good;
    inputs.isWiFiConnected = true;
    inputs.wifiHistory = {snapshot(-54, -92, 780), snapshot(-52, -93, 866)};
    inputs.latestSnapshot = inputs.wifiHistory.back();
    inputs.routerHistory = {ping(PingTarget::router, 2.5, 0.4, 0),
                            ping(PingTarget::router, 3.25, 0.6, 0)};
    inputs.routerResult = inputs.routerHistory.back();
    inputs.internetHistory = {ping(PingTarget::internet, 17.5, 1.5, 0),
                              ping(PingTarget::internet, 18.44, 1.96, 0)};
    inputs.internetResult = inputs.internetHistory.back();
    inputs.dnsHistory = {lookup(22.0), lookup(24.06)};
    inputs.dnsResult = inputs.dnsHistory.back();
    inputs.locationStatus = LocationPermissionStatus::authorized;
    return inputs;
}

QStringList titlesAndValues(const std::vector<MetricTrendLine>& lines) {
    QStringList texts;
    for (const MetricTrendLine& line : lines) {
        texts << line.title << line.value;
    }
    return texts;
}

template <std::size_t count>
std::vector<MetricTrendLine> asVector(const std::array<MetricTrendLine, count>& lines) {
    return {lines.begin(), lines.end()};
}

CaptivePortalStatus captive(std::optional<QUrl> portal) {
    return {.timestamp = someDate,
            .isCaptivePortal = true,
            .portalURL = std::move(portal),
            .probeURL = std::nullopt,
            .reason = CaptivePortalDetectionReason::redirect};
}

} // namespace

TEST(DashboardModelTest, AGoodNetworkShowsEveryValueAndNoMessage) {
    const DashboardContent content = DashboardModel::content(good(), english);
    EXPECT_EQ(content.healthState, HealthState::good);
    EXPECT_EQ(content.monitoringCapsuleText, u"Monitoring"_s);
    EXPECT_TRUE(content.messages.empty());
    EXPECT_EQ(titlesAndValues(asVector(content.wifiLines)),
              (QStringList{u"Link Rate"_s, u"866 Mbps"_s, u"SNR"_s, u"41 dB"_s, u"Signal"_s,
                           u"-52 dBm"_s, u"Noise"_s, u"-93 dBm"_s}));
    EXPECT_EQ(titlesAndValues(asVector(content.latencyLines)),
              (QStringList{u"Router Ping"_s, u"3.2 ms"_s, u"Internet Ping"_s, u"18.4 ms"_s,
                           u"Jitter"_s, u"2.0 ms"_s}));
    EXPECT_EQ(content.packetLossValue, u"0%"_s);
    EXPECT_EQ(content.dnsDomain, u"example.org"_s);
    EXPECT_EQ(content.dnsLookupLine.title, u"Lookup"_s);
    EXPECT_EQ(content.dnsLookupLine.value, u"24.1 ms"_s);
    EXPECT_EQ(content.wifiSnapshot, good().latestSnapshot);
    EXPECT_TRUE(content.isWiFiConnected);
    EXPECT_EQ(content.location.buttonTitle, std::nullopt);
}

TEST(DashboardModelTest, EachTrendRowDrawsItsHistoryAgainstItsRangeInItsColour) {
    const DashboardContent content = DashboardModel::content(good(), english);
    const auto& wifi = content.wifiLines;
    EXPECT_EQ(wifi[0].samples, (std::vector<double>{780, 866}));
    EXPECT_EQ(wifi[0].yDomain, SparklineDomains::adaptiveLinkRateDomain({780, 866}));
    EXPECT_EQ(wifi[0].strokeColor, NamedColors::green);
    EXPECT_EQ(wifi[1].samples, (std::vector<double>{38, 41}));
    EXPECT_EQ(wifi[1].yDomain, (ClosedRange{0, 50}));
    EXPECT_EQ(wifi[1].strokeColor, NamedColors::yellow);
    EXPECT_EQ(wifi[2].samples, (std::vector<double>{-54, -52}));
    EXPECT_EQ(wifi[2].yDomain, (ClosedRange{-95, -30}));
    EXPECT_EQ(wifi[2].strokeColor, NamedColors::orange);
    EXPECT_EQ(wifi[3].samples, (std::vector<double>{-92, -93}));
    EXPECT_EQ(wifi[3].yDomain, (ClosedRange{-110, -70}));
    EXPECT_EQ(wifi[3].strokeColor, NamedColors::green);

    const auto& latency = content.latencyLines;
    EXPECT_EQ(latency[0].samples, (std::vector<double>{2.5, 3.25}));
    EXPECT_EQ(latency[0].yDomain, (ClosedRange{0, 80}));
    EXPECT_EQ(latency[0].strokeColor, NamedColors::red);
    EXPECT_EQ(latency[1].samples, (std::vector<double>{17.5, 18.44}));
    EXPECT_EQ(latency[1].yDomain, (ClosedRange{0, 150}));
    EXPECT_EQ(latency[1].strokeColor, NamedColors::orange);
    EXPECT_EQ(latency[2].samples, (std::vector<double>{1.5, 1.96}));
    EXPECT_EQ(latency[2].yDomain, (ClosedRange{0, 30}));
    EXPECT_EQ(latency[2].strokeColor, NamedColors::yellow);

    EXPECT_EQ(content.dnsLookupLine.samples, (std::vector<double>{22.0, 24.06}));
    EXPECT_EQ(content.dnsLookupLine.yDomain, (ClosedRange{0, 300}));
    EXPECT_EQ(content.dnsLookupLine.strokeColor, NamedColors::green);
}

TEST(DashboardModelTest, APoorNetworkShowsItsGradeLossAndIgnoredRouter) {
    DashboardInputs inputs = good();
    inputs.healthState = HealthState::poor;
    inputs.isRouterIgnored = true;
    inputs.routerResult = ping(PingTarget::router, std::nullopt, std::nullopt, 100);
    inputs.internetResult = ping(PingTarget::internet, 190.26, 38.04, 18);
    const DashboardContent content = DashboardModel::content(inputs, english);
    EXPECT_EQ(content.healthState, HealthState::poor);
    EXPECT_EQ(content.latencyLines[0].value, u"ICMP blocked"_s);
    EXPECT_EQ(content.latencyLines[0].samples, (std::vector<double>{2.5, 3.25}))
        << "the router's sparkline still shows its history";
    EXPECT_EQ(content.latencyLines[1].value, u"190.3 ms"_s);
    EXPECT_EQ(content.latencyLines[2].value, u"38.0 ms"_s);
    EXPECT_EQ(content.packetLossValue, u"18%"_s);
}

TEST(DashboardModelTest, WithoutWiFiTheSecondaryMessageShowsAndEveryValueIsADash) {
    DashboardInputs inputs;
    inputs.isMonitoringEnabled = true;
    const DashboardContent content = DashboardModel::content(inputs, english);
    ASSERT_EQ(content.messages.size(), 1U);
    EXPECT_EQ(content.messages[0].text,
              u"No Wi-Fi connection detected. Connect to a network to see diagnostics."_s);
    EXPECT_EQ(content.messages[0].accentColor, DashboardModel::secondaryAccentColor());
    for (const MetricTrendLine& line : content.wifiLines) {
        EXPECT_EQ(line.value, dash) << line.title.toStdString();
        EXPECT_TRUE(line.samples.empty());
    }
    for (const MetricTrendLine& line : content.latencyLines) {
        EXPECT_EQ(line.value, dash) << line.title.toStdString();
    }
    EXPECT_EQ(content.packetLossValue, dash);
    EXPECT_EQ(content.dnsDomain, dash);
    EXPECT_EQ(content.dnsLookupLine.value, dash);
    EXPECT_EQ(content.wifiLines[0].yDomain, (ClosedRange{0, 1200}));
}

TEST(DashboardModelTest, ConnectedBeforeTheFirstSampleSaysItIsWaiting) {
    DashboardInputs inputs;
    inputs.isMonitoringEnabled = true;
    inputs.isWiFiConnected = true;
    const auto messages = DashboardModel::messages(inputs);
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_EQ(messages[0].text, u"Connected. Waiting for the first Wi-Fi samples..."_s);
}

TEST(DashboardModelTest, MonitoringOffShowsThePausedStatusInsteadOfTheWiFiMessage) {
    DashboardInputs inputs;
    inputs.isMonitoringEnabled = false;
    inputs.monitoringStatusText = u"Monitoring is paused."_s;
    inputs.captivePortalStatus = captive(QUrl(u"https://portal.example/login"_s));
    const DashboardContent content = DashboardModel::content(inputs, english);
    EXPECT_EQ(content.monitoringCapsuleText, u"Paused"_s);
    EXPECT_FALSE(content.isMonitoringEnabled);
    ASSERT_EQ(content.messages.size(), 1U)
        << "neither the Wi-Fi nor the captive-portal message shows while paused";
    EXPECT_EQ(content.messages[0],
              (DashboardMessage{u"Monitoring is paused."_s, NamedColors::orange}));
}

TEST(DashboardModelTest, ACaptivePortalAddsARedMessageAfterTheWiFiMessage) {
    DashboardInputs inputs;
    inputs.isMonitoringEnabled = true;
    inputs.captivePortalStatus = captive(QUrl(u"https://portal.example/login"_s));
    const auto messages = DashboardModel::messages(inputs);
    ASSERT_EQ(messages.size(), 2U);
    EXPECT_EQ(messages[0].accentColor, DashboardModel::secondaryAccentColor());
    EXPECT_EQ(messages[1], (DashboardMessage{u"Captive portal detected. Login may be required at "
                                             u"https://portal.example/login."_s,
                                             NamedColors::red}));
    inputs = good();
    inputs.captivePortalStatus = captive(std::nullopt);
    EXPECT_EQ(DashboardModel::messages(inputs),
              (std::vector<DashboardMessage>{
                  {u"Captive portal detected. Login may be required before internet access "
                   u"works."_s,
                   NamedColors::red}}));
}

TEST(DashboardModelTest, ASnapshotWithoutLinkRateShowsADashForItAlone) {
    DashboardInputs inputs = good();
    inputs.wifiHistory = {snapshot(-60, -90, std::nullopt)};
    inputs.latestSnapshot = inputs.wifiHistory.back();
    const auto lines = DashboardModel::wifiLines(inputs);
    EXPECT_EQ(lines[0].value, dash);
    EXPECT_TRUE(lines[0].samples.empty());
    EXPECT_EQ(lines[1].value, u"30 dB"_s);
    EXPECT_EQ(lines[2].value, u"-60 dBm"_s);
    EXPECT_EQ(lines[3].value, u"-90 dBm"_s);
}

TEST(DashboardModelTest, NumbersFollowTheLocale) {
    DashboardInputs inputs = good();
    inputs.internetResult = ping(PingTarget::internet, 1234.56, 2.25, 0);
    const auto lines = DashboardModel::latencyLines(inputs, QLocale(QLocale::German));
    EXPECT_EQ(lines[1].value, u"1.234,6 ms"_s);
    EXPECT_EQ(lines[2].value, u"2,2 ms"_s) << "ties round to even";
}

TEST(DashboardModelTest, TheLocationCardFollowsThePermission) {
    DashboardInputs inputs = good();
    inputs.locationStatus = LocationPermissionStatus::denied;
    EXPECT_EQ(DashboardModel::content(inputs, english).location.buttonTitle, u"Open Settings"_s);
    inputs.locationStatus = LocationPermissionStatus::notDetermined;
    EXPECT_EQ(DashboardModel::content(inputs, english).location.buttonTitle,
              u"Allow Location Access"_s);
}
