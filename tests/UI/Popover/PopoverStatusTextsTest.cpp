#include "UI/Popover/PopoverStatusTexts.h"

#include "Support/QStringPrinter.h"

#include <chrono>
#include <gtest/gtest.h>
#include <optional>

#include <QUrl>

using namespace Qt::Literals::StringLiterals;
using namespace PopoverStatusTexts;

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);
const Date someDate = Date{} + std::chrono::seconds(1'767'225'600);
const QString noWiFi = u"No Wi-Fi connection detected. Connect to a network to see diagnostics."_s;

WiFiSnapshot snapshot() {
    return {.timestamp = someDate,
            .ssid = u"Office"_s,
            .bssid = std::nullopt,
            .rssiDbm = -55,
            .noiseFloorDbm = -92,
            .snrDb = 37,
            .linkRateMbps = 866,
            .channelNumber = 36,
            .band = WiFiBand::fiveGigahertz,
            .ipAddress = u"192.168.1.20"_s,
            .isVPNActive = false};
}

PingResult routerResult(std::optional<double> latency) {
    return {.target = PingTarget::router,
            .timestamp = someDate,
            .latencyMilliseconds = latency,
            .jitterMilliseconds = std::nullopt,
            .packetLossPercent = 0,
            .didSucceed = latency.has_value()};
}

ConnectionPressureResult pressure(SignalQuality quality) {
    return {.timestamp = someDate, .counts = {120, 30, 4}, .quality = quality};
}

CaptivePortalStatus portalStatus(bool isCaptivePortal, std::optional<QUrl> portalURL,
                                 CaptivePortalDetectionReason reason) {
    return {.timestamp = someDate,
            .isCaptivePortal = isCaptivePortal,
            .portalURL = std::move(portalURL),
            .probeURL = QUrl(u"http://captive.example/hotspot-detect.html"_s),
            .reason = reason};
}

} // namespace

TEST(PopoverStatusTextsTest, DisconnectedMessageDependsOnTheLinkAndTheFirstSnapshot) {
    EXPECT_EQ(disconnectedMessage(true, snapshot()), std::nullopt);
    EXPECT_EQ(disconnectedMessage(true, std::nullopt),
              u"Connected. Waiting for the first Wi-Fi samples..."_s);
    EXPECT_EQ(disconnectedMessage(false, snapshot()), noWiFi);
    EXPECT_EQ(disconnectedMessage(false, std::nullopt), noWiFi);
}

TEST(PopoverStatusTextsTest, RouterLatencyTextIsTheLatencyWithOneFractionDigit) {
    EXPECT_EQ(routerLatencyText(false, routerResult(3.25), english), u"3.2 ms"_s);
    EXPECT_EQ(routerLatencyText(false, routerResult(3.25), german), u"3,2 ms"_s);
    EXPECT_EQ(routerLatencyText(false, routerResult(12), english), u"12.0 ms"_s);
}

TEST(PopoverStatusTextsTest, RouterLatencyTextIsADashWithoutALatency) {
    EXPECT_EQ(routerLatencyText(false, std::nullopt, english), u"\u2014"_s);
    EXPECT_EQ(routerLatencyText(false, routerResult(std::nullopt), english), u"\u2014"_s);
}

TEST(PopoverStatusTextsTest, AnIgnoredRouterIsShownAsBlockedWhateverItsResult) {
    EXPECT_EQ(routerLatencyText(true, routerResult(3.25), english), u"ICMP blocked"_s);
    EXPECT_EQ(routerLatencyText(true, std::nullopt, english), u"ICMP blocked"_s);
}

TEST(PopoverStatusTextsTest, ConnectionStatusShowsAnErrorBeforeTheGrade) {
    const QString error = u"netstat failed: exit code 1"_s;
    EXPECT_EQ(connectionMonitorStatusText(error, pressure(SignalQuality::good)), error);
    EXPECT_EQ(connectionMonitorStatusText(error, std::nullopt), error);
    EXPECT_EQ(connectionMonitorStatusText(std::nullopt, pressure(SignalQuality::warning)),
              u"Connection pressure is currently warning."_s);
    EXPECT_EQ(connectionMonitorStatusText(std::nullopt, pressure(SignalQuality::poor)),
              u"Connection pressure is currently poor."_s);
    EXPECT_EQ(connectionMonitorStatusText(std::nullopt, std::nullopt),
              u"Collecting TCP connection state counts from netstat."_s);
}

TEST(PopoverStatusTextsTest, CaptivePortalMessageNamesThePortal) {
    const auto status = portalStatus(true, QUrl(u"http://login.example/portal?next=a%20b"_s),
                                     CaptivePortalDetectionReason::redirect);
    EXPECT_EQ(captivePortalDetectedMessage(true, status),
              u"Captive portal detected. Login may be required at "
              u"http://login.example/portal?next=a%20b."_s);
}

TEST(PopoverStatusTextsTest, CaptivePortalMessageWithoutAPortalAddress) {
    const QString generic =
        u"Captive portal detected. Login may be required before internet access works."_s;
    EXPECT_EQ(captivePortalDetectedMessage(
                  true, portalStatus(true, QUrl(), CaptivePortalDetectionReason::redirect)),
              generic);
    EXPECT_EQ(
        captivePortalDetectedMessage(
            true, portalStatus(true, std::nullopt, CaptivePortalDetectionReason::contentInjection)),
        generic);
}

TEST(PopoverStatusTextsTest, CaptivePortalMessageIsAbsentUnlessMonitoringFindsAPortal) {
    const auto captive = portalStatus(true, QUrl(u"http://login.example/"_s),
                                      CaptivePortalDetectionReason::redirect);
    EXPECT_EQ(captivePortalDetectedMessage(false, captive), std::nullopt);
    EXPECT_EQ(captivePortalDetectedMessage(true, std::nullopt), std::nullopt);
    EXPECT_EQ(captivePortalDetectedMessage(
                  true, portalStatus(false, std::nullopt, CaptivePortalDetectionReason::none)),
              std::nullopt);
}

TEST(PopoverStatusTextsTest, CaptivePortalStatusTextFollowsErrorThenStatus) {
    const QString error = u"The probe timed out."_s;
    const auto captive = portalStatus(true, std::nullopt, CaptivePortalDetectionReason::redirect);
    EXPECT_EQ(captivePortalStatusText(error, captive), error);
    EXPECT_EQ(captivePortalStatusText(std::nullopt, std::nullopt),
              u"Running periodic captive portal probes."_s);
    EXPECT_EQ(
        captivePortalStatusText(
            std::nullopt, portalStatus(false, std::nullopt, CaptivePortalDetectionReason::none)),
        u"No captive portal detected."_s);
}

TEST(PopoverStatusTextsTest, CaptivePortalStatusTextNamesHowThePortalWasFound) {
    const auto detectedVia = [](CaptivePortalDetectionReason reason) {
        return captivePortalStatusText(std::nullopt, portalStatus(true, std::nullopt, reason));
    };
    EXPECT_EQ(detectedVia(CaptivePortalDetectionReason::none),
              u"Captive portal detected via no anomalies."_s);
    EXPECT_EQ(detectedVia(CaptivePortalDetectionReason::redirect),
              u"Captive portal detected via an HTTP redirect."_s);
    EXPECT_EQ(detectedVia(CaptivePortalDetectionReason::contentInjection),
              u"Captive portal detected via unexpected probe content."_s);
}
