#include "UI/Dashboard/DashboardPanel.h"

#include "Support/QStringPrinter.h"
#include "UI/Dashboard/BrandLogo.h"
#include "UI/Dashboard/DashboardHeader.h"
#include "UI/Dashboard/DashboardModel.h"
#include "UI/Dashboard/MonitoringSwitchRow.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/SwitchToggle.h"
#include "UI/Popover/HeaderIconButton.h"
#include "UI/Popover/HealthStateBadge.h"
#include "UI/Popover/InlineMessageRow.h"
#include "UI/Popover/MetricTrendRow.h"
#include "UI/Popover/PopoverPushButton.h"
#include "UI/ViewInspection.h"

#include <gtest/gtest.h>

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class DashboardPanelTest : public testing::Test {
protected:
    DashboardPanelTest()
        : panel({.onOpenToolbox = [this] { calls << u"toolbox"_s; },
                 .onOpenSettings = [this] { calls << u"settings"_s; },
                 .monitoringEnabled = {[] { return true; }, [](bool) {}},
                 .onLocationButton = [this] { calls << u"location"_s; },
                 .onQuit = [this] { calls << u"quit"_s; }},
                QMargins(16, 14, 16, 10)) {
        ViewInspection::layOut(panel, 368);
    }

    int xOf(const QWidget* widget) const { return widget->mapTo(&panel, QPoint(0, 0)).x(); }

    QStringList calls;
    DashboardPanel panel;
};

TEST_F(DashboardPanelTest, TheBrandMarkSitsInThePaddingAndTheBadgeCloseBesideIt) {
    const DashboardHeader& header = *panel.header();
    ASSERT_TRUE(header.logo()->hasImage()) << "the brand mark is in the resources";
    EXPECT_EQ(header.logo()->size(), QSize(30, 30));
    EXPECT_EQ(header.logo()->accessibleName(), u"Pelmor"_s);
    EXPECT_EQ(xOf(header.logo()), 12);
    EXPECT_EQ(xOf(header.badge()), 12 + 30 + 4);
    EXPECT_EQ(xOf(panel.monitoringRow()->toggle()), 16);
    EXPECT_EQ(xOf(header.settingsButton()) + header.settingsButton()->width(), 368 - 16);
    EXPECT_EQ(xOf(panel.wifiRows()[0]), 16);
    EXPECT_EQ(panel.wifiRows()[0]->width(), MetricTrendRow::rowWidth);
}

TEST_F(DashboardPanelTest, MessageRowsShowOnlyWhileThereAreMessages) {
    EXPECT_TRUE(panel.shownMessageRows().empty());
    DashboardContent content;
    content.messages = {{u"one"_s, NamedColors::orange},
                        {u"two"_s, NamedColors::red},
                        {u"three"_s, NamedColors::gray}};
    panel.setContent(content);
    ASSERT_EQ(panel.shownMessageRows().size(), 3U);
    EXPECT_EQ(panel.shownMessageRows()[1]->text(), u"two"_s);
    EXPECT_EQ(panel.shownMessageRows()[1]->accentColor(), NamedColors::red);
    EXPECT_LT(panel.shownMessageRows()[0]->y(), panel.shownMessageRows()[1]->y());
    content.messages.resize(1);
    panel.setContent(content);
    ASSERT_EQ(panel.shownMessageRows().size(), 1U);
    EXPECT_EQ(panel.shownMessageRows()[0]->text(), u"one"_s);
}

TEST_F(DashboardPanelTest, TheSectionsComeInOrder) {
    DashboardInputs inputs;
    inputs.isMonitoringEnabled = true;
    panel.setContent(DashboardModel::content(inputs));
    const QStringList texts = ViewInspection::shownTexts(panel);
    const QStringList order{u"Live Wi-Fi diagnostics"_s,
                            u"Enabled"_s,
                            u"Link Rate"_s,
                            u"Noise"_s,
                            u"Latency"_s,
                            u"Router Ping"_s,
                            u"Packet Loss"_s,
                            u"DNS"_s,
                            u"Domain"_s,
                            u"Lookup"_s,
                            u"Location Permission"_s};
    qsizetype previous = -1;
    for (const QString& text : order) {
        const qsizetype index = texts.indexOf(text);
        EXPECT_GT(index, previous) << text.toStdString();
        previous = index;
    }
}

TEST_F(DashboardPanelTest, ButtonsCallTheirActions) {
    QTest::mouseClick(panel.header()->toolboxButton(), Qt::LeftButton);
    QTest::mouseClick(panel.header()->settingsButton(), Qt::LeftButton);
    QTest::mouseClick(panel.quitButton(), Qt::LeftButton);
    EXPECT_EQ(calls, (QStringList{u"toolbox"_s, u"settings"_s, u"quit"_s}));
    EXPECT_EQ(panel.quitButton()->style(), PopoverPushButton::Style::bordered);
}
