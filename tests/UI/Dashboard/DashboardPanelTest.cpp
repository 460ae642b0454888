#include "UI/Dashboard/DashboardPanel.h"

#include "Support/QStringPrinter.h"
#include "UI/Dashboard/BrandLogo.h"
#include "UI/Dashboard/DashboardHeader.h"
#include "UI/Dashboard/DashboardModel.h"
#include "UI/Dashboard/MonitoringSwitchRow.h"
#include "UI/Ground/Dot.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/SwitchToggle.h"
#include "UI/Popover/HeaderIconButton.h"
#include "UI/Popover/HealthStateBadge.h"
#include "UI/Popover/InlineMessageRow.h"
#include "UI/Popover/InlineSparklineView.h"
#include "UI/Popover/MetricTrendRow.h"
#include "UI/Popover/PopoverPushButton.h"
#include "UI/Popover/WiFiNetworkHeaderRow.h"
#include "UI/ViewInspection.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>

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
    EXPECT_LE(xOf(panel.wifiRows()[0]) + MetricTrendRow::rowWidth, 368 - 16);
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

namespace {

// Records which of the watched widgets are painted, and whether a layout is
// requested anywhere on the way up to the root.
class RedrawRecorder : public QObject {
public:
    RedrawRecorder(QWidget& root, const std::map<QString, QWidget*>& watched) {
        for (const auto& [name, widget] : watched) {
            names_[widget] = name;
            widget->installEventFilter(this);
        }
        root.installEventFilter(this);
        for (QWidget* child : root.findChildren<QWidget*>()) {
            child->installEventFilter(this);
        }
    }

    QStringList painted;
    int layoutRequests = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::LayoutRequest) {
            ++layoutRequests;
        } else if (event->type() == QEvent::Paint && names_.count(watched) != 0 &&
                   !painted.contains(names_[watched])) {
            painted << names_[watched];
        }
        return false;
    }

private:
    std::map<QObject*, QString> names_;
};

// Delivers what is pending, also what a layout pass posts in turn.
void settle() {
    for (int pass = 0; pass < 3; ++pass) {
        QCoreApplication::processEvents();
    }
}

MetricTrendLine trendLine(const QString& title, std::vector<double> samples) {
    return {title, u"1 ms"_s, std::move(samples), ClosedRange{0, 10}, NamedColors::green};
}

} // namespace

// A refresh hands the whole content over; only what changed is redrawn, and
// only a change of size lays the panel out again (a trend row's new value
// does not: its labels have a fixed size).
TEST_F(DashboardPanelTest, RedrawsOnlyWhatChanged) {
    DashboardContent shown;
    shown.healthState = HealthState::good;
    shown.isWiFiConnected = true;
    for (MetricTrendLine& line : shown.wifiLines) {
        line = trendLine(u"Signal"_s, {1, 2, 3});
    }
    for (MetricTrendLine& line : shown.latencyLines) {
        line = trendLine(u"Ping"_s, {4, 5, 6});
    }
    shown.dnsLookupLine = trendLine(u"Lookup"_s, {7, 8, 9});
    shown.location = {u"Location access is needed."_s, u"Allow"_s};
    panel.setContent(shown);
    QCoreApplication::processEvents();

    std::map<QString, QWidget*> watched{
        {u"badge"_s, panel.header()->badge()},
        {u"connection dot"_s, panel.networkHeader()->findChild<Dot*>()},
        {u"lookup"_s, panel.lookupRow()->sparkline()}};
    for (std::size_t index = 0; index < panel.wifiRows().size(); ++index) {
        watched[u"wifi %1"_s.arg(index)] = panel.wifiRows()[index]->sparkline();
    }
    for (std::size_t index = 0; index < panel.latencyTrendRows().size(); ++index) {
        watched[u"latency %1"_s.arg(index)] = panel.latencyTrendRows()[index]->sparkline();
    }

    struct Case {
        const char* change;
        std::function<void(DashboardContent&)> apply;
        QStringList redrawn;
        bool laysOut;
    };
    const std::vector<Case> cases = {
        {"nothing", [](DashboardContent&) {}, {}, false},
        {"an internet ping sample",
         [](DashboardContent& content) {
             content.latencyLines[1].samples.push_back(7);
             content.latencyLines[1].value = u"123.4 ms"_s;
         },
         {u"latency 1"_s},
         false},
        {"the lookup's range",
         [](DashboardContent& content) {
             content.dnsLookupLine.yDomain = ClosedRange{0, 20};
         },
         {u"lookup"_s},
         false},
        {"the signal's colour",
         [](DashboardContent& content) { content.wifiLines[2].strokeColor = NamedColors::red; },
         {u"wifi 2"_s},
         false},
        {"the health state",
         [](DashboardContent& content) { content.healthState = HealthState::disconnected; },
         {u"badge"_s},
         true},
        {"the connection",
         [](DashboardContent& content) { content.isWiFiConnected = false; },
         {u"connection dot"_s},
         false},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.change);
        panel.setContent(shown);
        settle();
        DashboardContent changed = shown;
        testCase.apply(changed);
        RedrawRecorder recorder(panel, watched);
        panel.setContent(changed);
        QCoreApplication::processEvents();
        QStringList painted = recorder.painted;
        painted.sort();
        EXPECT_EQ(painted, testCase.redrawn);
        EXPECT_EQ(recorder.layoutRequests > 0, testCase.laysOut);
    }
}
