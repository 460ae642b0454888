#include "UI/Popover/CaptivePortalOverlayCard.h"

#include "Support/QStringPrinter.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/WrappingLabel.h"
#include "UI/Popover/BackButton.h"
#include "UI/Popover/MetricRow.h"
#include "UI/Popover/OverlayCardHeader.h"
#include "UI/Popover/SignalQualityBadge.h"
#include "UI/ViewInspection.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;
using ViewInspection::layOut;
using ViewInspection::shownTexts;
using Reason = CaptivePortalDetectionReason;

namespace {

const QString dash = u"\u2014"_s;

CaptivePortalStatus status(bool isCaptive, std::optional<QUrl> portal, Reason reason) {
    return {.timestamp = Date{},
            .isCaptivePortal = isCaptive,
            .portalURL = std::move(portal),
            .probeURL = QUrl(u"http://probe.example.net/hotspot-detect.html"_s),
            .reason = reason};
}

} // namespace

TEST(CaptivePortalOverlayCardTest, BeforeTheFirstCheckTheCardWaits) {
    CaptivePortalOverlayCard card({std::nullopt, u"Running periodic captive portal probes."_s},
                                  [] {});
    layOut(card, 340);
    EXPECT_EQ(
        shownTexts(card),
        (QStringList{u"Captive Portal"_s,
                     u"Checks known probe URLs for redirects and login-page injection."_s,
                     u"State"_s, u"Unknown"_s, u"Reason"_s, u"Awaiting probes"_s, u"Portal URL"_s,
                     dash, u"Last Check"_s, dash, u"Running periodic captive portal probes."_s}));
    EXPECT_EQ(card.badge()->content().text, u"Warning"_s);
}

TEST(CaptivePortalOverlayCardTest, ARedirectShowsThePortalAndAPoorBadge) {
    CaptivePortalOverlayCard card(
        {status(true, QUrl(u"http://portal.example.net/login"_s), Reason::redirect),
         u"Captive portal detected via an HTTP redirect."_s},
        [] {});
    layOut(card, 340);
    EXPECT_EQ(card.stateRow()->value(), u"Captive"_s);
    EXPECT_EQ(card.reasonRow()->value(), u"HTTP redirect detected"_s);
    EXPECT_EQ(card.portalURLLabel()->text(), u"http://portal.example.net/login"_s);
    EXPECT_NE(card.lastCheckRow()->value(), dash);
    EXPECT_EQ(card.badge()->content().text, u"Poor"_s);
    // The probe URL is shown nowhere.
    EXPECT_FALSE(shownTexts(card).join(u' ').contains(u"probe.example.net"_s));
}

TEST(CaptivePortalOverlayCardTest, NewContentRedrawsEveryText) {
    CaptivePortalOverlayCard card({std::nullopt, u"Running periodic captive portal probes."_s},
                                  [] {});
    card.setContent({status(false, std::nullopt, Reason::none), u"No captive portal detected."_s});
    layOut(card, 340);
    EXPECT_EQ(card.stateRow()->value(), u"Open Internet"_s);
    EXPECT_EQ(card.reasonRow()->value(), u"No anomalies"_s);
    EXPECT_EQ(card.portalURLLabel()->text(), dash);
    EXPECT_EQ(card.badge()->content().text, u"Good"_s);
    EXPECT_EQ(card.statusLine()->text(), u"No captive portal detected."_s);
}

TEST(CaptivePortalOverlayCardTest, ALongPortalURLStaysOnOneLineCutInTheMiddle) {
    const QString url = u"https://login.hotspot-provider.example.com/portal/v2/session/start?"
                        u"client=a4:2b:b0:11:22:33&venue=terminal-2"_s;
    CaptivePortalOverlayCard card({status(true, QUrl(url), Reason::redirect), u"s"_s}, [] {});
    layOut(card, 340);
    const OneLineTextFit fit = card.portalURLLabel()->currentFit();
    const qsizetype cut = fit.text.indexOf(u"\u2026"_s);
    ASSERT_GT(cut, 0);
    EXPECT_TRUE(url.startsWith(fit.text.left(cut)));
    EXPECT_TRUE(url.endsWith(fit.text.sliced(cut + 1)));
    EXPECT_LE(card.portalURLLabel()->width(), 340);
}

TEST(CaptivePortalOverlayCardTest, BackReturnsToTheToolbox) {
    int closes = 0;
    CaptivePortalOverlayCard card({std::nullopt, u"s"_s}, [&] { ++closes; });
    layOut(card, 340);
    BackButton* back = card.header()->backButton();
    EXPECT_EQ(back->text(), u"Back"_s);
    EXPECT_EQ(back->accessibleName(), u"Back to Toolbox"_s);
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(closes, 1);
}
