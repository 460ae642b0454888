#include "Support/QStringPrinter.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Popover/HeaderIconButton.h"
#include "UI/Popover/HealthStateBadge.h"
#include "UI/Popover/InlineMessageRow.h"
#include "UI/Popover/SignalQualityBadge.h"
#include "UI/ViewInspection.h"

#include <gtest/gtest.h>

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using ViewInspection::layOut;

TEST(HeaderIconButtonTest, AClickRunsTheActionOnce) {
    int clicks = 0;
    HeaderIconButton button(u"wrench.and.screwdriver"_s, u"Open Toolbox"_s, [&] { ++clicks; });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button.accessibleName(), u"Open Toolbox"_s);
    EXPECT_TRUE(button.hasImage());
    EXPECT_EQ(button.size(), QSize(22, 22));
}

TEST(HeaderIconButtonTest, AnUnknownSymbolKeepsTheCircleAndTheAction) {
    int clicks = 0;
    HeaderIconButton button(u"no.such.symbol"_s, u"Mystery"_s, [&] { ++clicks; });
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button.hasImage());
    EXPECT_EQ(button.size(), QSize(22, 22));
}

TEST(CapsuleBadgeTest, BadgesShowTheirStateAndFollowNewOnes) {
    HealthStateBadge health(HealthState::disconnected);
    EXPECT_EQ(health.content(), (BadgeContent{u"Disconnected"_s, NamedColors::gray}));
    const int disconnectedWidth = health.sizeHint().width();
    health.setState(HealthState::poor);
    EXPECT_EQ(health.content(), (BadgeContent{u"Poor"_s, NamedColors::red}));
    EXPECT_EQ(health.accessibleName(), u"Poor"_s);
    EXPECT_LT(health.sizeHint().width(), disconnectedWidth);

    SignalQualityBadge quality(SignalQuality::good);
    quality.setQuality(SignalQuality::warning);
    EXPECT_EQ(quality.content(), (BadgeContent{u"Warning"_s, NamedColors::orange}));
}

TEST(InlineMessageRowTest, ALongMessageWrapsAndTheRowGrowsWithIt) {
    InlineMessageRow shortRow(u"Monitoring is paused."_s, NamedColors::orange);
    InlineMessageRow longRow(u"Captive portal detected. Login may be required at "
                             u"https://login.hotspot-provider.example.com/portal/v2/session."_s,
                             NamedColors::red);
    layOut(shortRow, 336);
    layOut(longRow, 336);
    EXPECT_GT(longRow.height(), shortRow.height() + 20);
    EXPECT_EQ(longRow.text().right(8), u"session."_s);
    EXPECT_EQ(longRow.accentColor(), NamedColors::red);

    shortRow.setMessage(u"Connected."_s, NamedColors::gray);
    EXPECT_EQ(shortRow.text(), u"Connected."_s);
    EXPECT_EQ(shortRow.accentColor(), NamedColors::gray);
}
