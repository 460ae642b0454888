#include "UI/Popover/CaptivePortalCardModel.h"

#include "Support/QStringPrinter.h"

#include <chrono>
#include <gtest/gtest.h>

#include <QUrl>

using namespace Qt::Literals::StringLiterals;
using namespace CaptivePortalCardModel;
using Reason = CaptivePortalDetectionReason;

namespace {

const QString dash = u"\u2014"_s;
const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);
const QTimeZone utc = QTimeZone::utc();
// 2026-01-01 09:41:27 UTC.
const Date checkTime = Date{} + std::chrono::seconds(1'767'260'487);

CaptivePortalStatus status(bool isCaptive, std::optional<QUrl> portal, Reason reason) {
    return {.timestamp = checkTime,
            .isCaptivePortal = isCaptive,
            .portalURL = std::move(portal),
            .probeURL = QUrl(u"http://probe.example.net/hotspot-detect.html"_s),
            .reason = reason};
}

} // namespace

TEST(CaptivePortalCardModelTest, WithoutAStatusTheCardIsAwaitingItsFirstCheck) {
    EXPECT_EQ(stateText(std::nullopt), u"Unknown"_s);
    EXPECT_EQ(reasonText(std::nullopt), u"Awaiting probes"_s);
    EXPECT_EQ(portalURLText(std::nullopt), dash);
    EXPECT_EQ(lastCheckedText(std::nullopt, checkTime, english, utc), dash);
    EXPECT_EQ(badgeQuality(std::nullopt), SignalQuality::warning);
}

TEST(CaptivePortalCardModelTest, AnOpenNetwork) {
    const auto open = status(false, std::nullopt, Reason::none);
    EXPECT_EQ(stateText(open), u"Open Internet"_s);
    EXPECT_EQ(reasonText(open), u"No anomalies"_s);
    EXPECT_EQ(portalURLText(open), dash);
    EXPECT_EQ(badgeQuality(open), SignalQuality::good);
}

TEST(CaptivePortalCardModelTest, ARedirectToAPortal) {
    const auto redirect =
        status(true, QUrl(u"http://portal.example.net/login?next=%2Fhome"_s), Reason::redirect);
    EXPECT_EQ(stateText(redirect), u"Captive"_s);
    EXPECT_EQ(reasonText(redirect), u"HTTP redirect detected"_s);
    EXPECT_EQ(portalURLText(redirect), u"http://portal.example.net/login?next=%2Fhome"_s);
    EXPECT_EQ(badgeQuality(redirect), SignalQuality::poor);
}

TEST(CaptivePortalCardModelTest, ContentInjectionWithoutAPortalURL) {
    const auto injected = status(true, std::nullopt, Reason::contentInjection);
    EXPECT_EQ(stateText(injected), u"Captive"_s);
    EXPECT_EQ(reasonText(injected), u"Probe content mismatch"_s);
    EXPECT_EQ(portalURLText(injected), dash);
    EXPECT_EQ(badgeQuality(injected), SignalQuality::poor);
}

// The state and the reason are shown as the status holds them, even when they
// disagree.
TEST(CaptivePortalCardModelTest, StateAndReasonAreReadIndependently) {
    const auto odd = status(false, QUrl(u"http://portal.example.net/"_s), Reason::redirect);
    EXPECT_EQ(stateText(odd), u"Open Internet"_s);
    EXPECT_EQ(reasonText(odd), u"HTTP redirect detected"_s);
    EXPECT_EQ(portalURLText(odd), u"http://portal.example.net/"_s);
    EXPECT_EQ(badgeQuality(odd), SignalQuality::good);
}

TEST(CaptivePortalCardModelTest, AnEmptyPortalURLIsShownAsMissing) {
    EXPECT_EQ(portalURLText(status(true, QUrl(), Reason::redirect)), dash);
}

// Another day's check, the day after the midnight just past too, has its date.
TEST(CaptivePortalCardModelTest, TheLastCheckIsATimeOfDayWithSecondsAndTheDateOnAnotherDay) {
    using std::chrono::hours;
    const auto open = status(false, std::nullopt, Reason::none);
    const QTimeZone newYork("America/New_York");
    EXPECT_EQ(lastCheckedText(open, checkTime, english, utc), u"9:41:27\u202FAM"_s);
    EXPECT_EQ(lastCheckedText(open, checkTime + hours(14), german, utc), u"09:41:27"_s);
    EXPECT_EQ(lastCheckedText(open, checkTime, english, newYork), u"4:41:27\u202FAM"_s);
    EXPECT_EQ(lastCheckedText(open, checkTime, german, QTimeZone("Asia/Tokyo")), u"18:41:27"_s);
    EXPECT_EQ(lastCheckedText(open, checkTime + hours(15), english, utc),
              u"1/1/26, 9:41:27\u202FAM"_s);
    EXPECT_EQ(lastCheckedText(open, checkTime + hours(20), english, newYork),
              u"1/1/26, 4:41:27\u202FAM"_s);
    EXPECT_EQ(lastCheckedText(open, checkTime - hours(10), german, utc), u"01.01.26, 09:41:27"_s);
}
