#include "UI/ContentView.h"

#include "Support/QStringPrinter.h"
#include "UI/Dashboard/DashboardHeader.h"
#include "UI/Dashboard/DashboardPanel.h"
#include "UI/Dashboard/LocationPermissionCard.h"
#include "UI/Dashboard/MonitoringSwitchRow.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/SwitchToggle.h"
#include "UI/Ground/WrappingLabel.h"
#include "UI/Popover/BackButton.h"
#include "UI/Popover/CaptivePortalCardModel.h"
#include "UI/Popover/CaptivePortalOverlayCard.h"
#include "UI/Popover/ConnectionMonitorOverlayCard.h"
#include "UI/Popover/HeaderIconButton.h"
#include "UI/Popover/HealthStateBadge.h"
#include "UI/Popover/InlineMessageRow.h"
#include "UI/Popover/InlineSparklineView.h"
#include "UI/Popover/MetricRow.h"
#include "UI/Popover/MetricTrendRow.h"
#include "UI/Popover/OverlayCardHeader.h"
#include "UI/Popover/PanelCrossFade.h"
#include "UI/Popover/PopoverPushButton.h"
#include "UI/Popover/ToolboxOverlayCard.h"
#include "UI/Popover/ToolboxToolRow.h"
#include "UI/Popover/WiFiNetworkHeaderRow.h"
#include "UI/PopoverTestSources.h"
#include "UI/ViewInspection.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using ViewInspection::shownTexts;

namespace {

QStringList trendTexts(const std::vector<MetricTrendRow*>& rows) {
    QStringList texts;
    for (const MetricTrendRow* row : rows) {
        texts << row->title() << row->value();
    }
    return texts;
}

QStringList messageTexts(const DashboardPanel& dashboard) {
    QStringList texts;
    for (const InlineMessageRow* row : dashboard.shownMessageRows()) {
        texts << row->text();
    }
    return texts;
}

} // namespace

class ContentViewTest : public testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    // The view as the menu-bar controller hosts it: 400 pt wide, shown.
    void open() {
        view = std::make_unique<ContentView>(sources.sources, callbacks());
        view->resize(400, 650);
        view->show();
        settle();
    }

    PopoverCallbacks callbacks() {
        const auto record = [this](const QString& name) {
            return [this, name] { calls.append(name); };
        };
        return {[this](double height) { heights.push_back(height); },
                record(u"radar"_s),
                record(u"speed"_s),
                record(u"channels"_s),
                record(u"export"_s),
                record(u"quit"_s)};
    }

    // Lets the tasks and the event loop run until both are idle.
    void settle() {
        runtime.runUntilIdle();
        QCoreApplication::processEvents();
        runtime.runUntilIdle();
        QCoreApplication::processEvents();
    }

    void click(QAbstractButton* button) {
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
    }

    ToolboxToolRow* tool(const QString& title) const {
        for (ToolboxToolRow* row : view->toolboxCard()->rows()) {
            if (row->tool().title == title) {
                return row;
            }
        }
        return nullptr;
    }

    DashboardPanel& dashboard() const { return *view->dashboard(); }

    std::vector<MetricTrendRow*> wifiRows() const {
        return {dashboard().wifiRows().begin(), dashboard().wifiRows().end()};
    }
    std::vector<MetricTrendRow*> latencyRows() const {
        return {dashboard().latencyTrendRows().begin(), dashboard().latencyTrendRows().end()};
    }

    TestRuntime runtime;
    PopoverTestSources sources{runtime};
    std::vector<double> heights;
    QStringList calls;
    std::unique_ptr<ContentView> view;
};

TEST_F(ContentViewTest, AFreshViewShowsTheDashboardAndAsksFor650AtOnce) {
    open();
    EXPECT_EQ(view->activePanel(), PanelRoute::dashboard);
    EXPECT_EQ(heights, std::vector<double>{650});
    EXPECT_TRUE(view->dashboard()->isVisibleTo(view.get()));
    EXPECT_EQ(view->scrollArea()->width(), 368);
}

// Its visible shape is what it draws: the rounded panel, and nothing beside
// or around it, so the popover's edge is the panel's own.
TEST_F(ContentViewTest, ItDrawsOnlyTheRoundedPanelItsShapeDescribes) {
    // Shown as the popover shows it: in a window with a transparent background.
    view = std::make_unique<ContentView>(sources.sources, callbacks());
    view->setAttribute(Qt::WA_TranslucentBackground);
    view->resize(400, 650);
    view->show();
    settle();
    const QImage image = view->grab().toImage();
    const QPainterPath shape = view->visibleShape(QSizeF(view->size()));
    const struct {
        const char* where;
        QPoint point;
        bool drawn;
    } cases[] = {
        {"beside the panel", QPoint(8, 300), false},
        {"outside its top-left corner", QPoint(17, 1), false},
        {"outside its bottom-right corner", QPoint(382, 648), false},
        {"its left edge", QPoint(17, 300), true},
        {"inside", QPoint(200, 40), true},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.where);
        EXPECT_EQ(shape.contains(testCase.point), testCase.drawn);
        EXPECT_EQ(image.pixelColor(testCase.point).alpha() == 255, testCase.drawn);
        EXPECT_EQ(image.pixelColor(testCase.point).alpha() == 0, !testCase.drawn);
    }
}

TEST_F(ContentViewTest, ThePanelsRouteAndAskForTheirHeights) {
    open();
    click(dashboard().header()->toolboxButton());
    EXPECT_EQ(view->activePanel(), PanelRoute::toolbox);
    EXPECT_TRUE(view->toolboxCard()->isVisibleTo(view.get()));
    EXPECT_FALSE(view->dashboard()->isVisibleTo(view.get()));
    click(tool(u"Connection Monitor"_s));
    EXPECT_EQ(view->activePanel(), PanelRoute::connectionMonitor);
    click(view->connectionMonitorCard()->header()->backButton());
    EXPECT_EQ(view->activePanel(), PanelRoute::toolbox);
    click(tool(u"Captive Portal"_s));
    EXPECT_EQ(view->activePanel(), PanelRoute::captivePortal);
    click(view->captivePortalCard()->header()->backButton());
    click(view->toolboxCard()->header()->backButton());
    EXPECT_EQ(view->activePanel(), PanelRoute::dashboard);
    click(dashboard().header()->settingsButton());
    EXPECT_EQ(view->activePanel(), PanelRoute::settings);
    click(view->settingsCard()->header()->backButton());
    EXPECT_EQ(view->activePanel(), PanelRoute::dashboard);
    EXPECT_EQ(heights, (std::vector<double>{650, 650, 430, 650, 430, 650, 650, 560, 650}));
    EXPECT_TRUE(calls.isEmpty());
}

TEST_F(ContentViewTest, TheHeaderButtonsCarryTheirLabelsAndHelp) {
    open();
    const DashboardHeader& header = *dashboard().header();
    EXPECT_EQ(header.toolboxButton()->accessibleName(), u"Open Toolbox"_s);
    EXPECT_EQ(header.toolboxButton()->toolTip(), u"Open diagnostics toolbox."_s);
    EXPECT_EQ(header.settingsButton()->accessibleName(), u"Open Settings"_s);
    EXPECT_EQ(header.settingsButton()->toolTip(), u"Open settings."_s);
}

TEST_F(ContentViewTest, TheToolsAndQuitGoToTheHost) {
    open();
    click(dashboard().header()->toolboxButton());
    for (const QString& title :
         {u"Wi-Fi Radar"_s, u"Diagnostics Export"_s, u"Speed Test"_s, u"Channel Scan"_s}) {
        click(tool(title));
    }
    EXPECT_EQ(view->activePanel(), PanelRoute::toolbox) << "a tool window leaves the panel";
    click(view->toolboxCard()->header()->backButton());
    click(dashboard().quitButton());
    EXPECT_EQ(calls, (QStringList{u"radar"_s, u"export"_s, u"speed"_s, u"channels"_s, u"quit"_s}));
}

TEST_F(ContentViewTest, ReopeningThePopoverKeepsThePanelAndAsksForItsHeightAgain) {
    open();
    view->setActivePanel(PanelRoute::connectionMonitor);
    view->hide();
    view->show();
    settle();
    EXPECT_EQ(view->activePanel(), PanelRoute::connectionMonitor);
    EXPECT_EQ(heights, (std::vector<double>{650, 430, 430}));
}

TEST_F(ContentViewTest, AHealthyNetworkShowsItsReadings) {
    sources.store->setMonitoringEnabled(true);
    sources.launch();
    sources.answerAsHealthyNetwork();
    open();
    sources.poll(2);
    settle();
    EXPECT_EQ(dashboard().header()->badge()->content().text, u"Good"_s);
    EXPECT_EQ(dashboard().monitoringRow()->capsuleText(), u"Monitoring"_s);
    EXPECT_TRUE(dashboard().monitoringRow()->toggle()->isChecked());
    EXPECT_TRUE(messageTexts(dashboard()).isEmpty());
    EXPECT_EQ(dashboard().networkHeader()->ssidText(), u"Office"_s);
    EXPECT_EQ(trendTexts(wifiRows()),
              (QStringList{u"Link Rate"_s, u"866 Mbps"_s, u"SNR"_s, u"41 dB"_s, u"Signal"_s,
                           u"-52 dBm"_s, u"Noise"_s, u"-93 dBm"_s}));
    EXPECT_EQ(trendTexts(latencyRows()),
              (QStringList{u"Router Ping"_s, u"3.2 ms"_s, u"Internet Ping"_s, u"18.4 ms"_s,
                           u"Jitter"_s, u"2.0 ms"_s}));
    EXPECT_EQ(dashboard().packetLossRow()->value(), u"0%"_s);
    EXPECT_EQ(dashboard().domainRow()->value(), u"example.org"_s);
    EXPECT_EQ(dashboard().lookupRow()->value(), u"24.1 ms"_s);
    EXPECT_EQ(dashboard().wifiRows()[2]->sparkline()->samples(), (std::vector<double>{-52, -52}));
    const QStringList texts = shownTexts(*view);
    EXPECT_EQ(texts.mid(0, 4), (QStringList{u"Live Wi-Fi diagnostics"_s, u"Enabled"_s,
                                            u"Monitoring"_s, u"Office"_s}));
    EXPECT_TRUE(texts.contains(u"Location access granted for SSID and BSSID diagnostics."_s));
    EXPECT_FALSE(dashboard().locationCard()->button()->isVisibleTo(view.get()));
}

TEST_F(ContentViewTest, TheDashboardRedrawsWhenTheMonitorsPublish) {
    sources.store->setMonitoringEnabled(true);
    sources.launch();
    sources.answerAsHealthyNetwork();
    open();
    sources.poll();
    settle();
    EXPECT_EQ(dashboard().latencyTrendRows()[1]->value(), u"18.4 ms"_s);
    sources.pings->measurements[u"1.1.1.1"_s] = FakePingProbeRunner::answered(120.0, 35.0, 12);
    sources.poll();
    settle();
    EXPECT_EQ(dashboard().latencyTrendRows()[1]->value(), u"120.0 ms"_s);
    EXPECT_EQ(dashboard().latencyTrendRows()[2]->value(), u"35.0 ms"_s);
    EXPECT_EQ(dashboard().packetLossRow()->value(), u"12%"_s);
    EXPECT_EQ(dashboard().header()->badge()->content().text, u"Poor"_s);
}

TEST_F(ContentViewTest, AClosedPopoverDrawsNothingAndShowsTheLatestValuesWhenOpened) {
    sources.store->setMonitoringEnabled(true);
    sources.launch();
    sources.answerAsHealthyNetwork();
    open();
    sources.poll();
    settle();
    view->hide();
    sources.pings->measurements[u"1.1.1.1"_s] = FakePingProbeRunner::answered(64.0, 3.0);
    sources.poll();
    settle();
    EXPECT_EQ(dashboard().latencyTrendRows()[1]->value(), u"18.4 ms"_s);
    view->show();
    EXPECT_EQ(dashboard().latencyTrendRows()[1]->value(), u"64.0 ms"_s);
}

TEST_F(ContentViewTest, WithoutWiFiTheDashboardSaysSoAndShowsDashes) {
    sources.store->setMonitoringEnabled(true);
    sources.launch();
    open();
    sources.poll();
    settle();
    EXPECT_EQ(dashboard().header()->badge()->content().text, u"Disconnected"_s);
    EXPECT_EQ(messageTexts(dashboard()),
              QStringList{u"No Wi-Fi connection detected. Connect to a network to see "
                          u"diagnostics."_s});
    EXPECT_EQ(dashboard().networkHeader()->ssidText(), u"Not Connected"_s);
    for (const MetricTrendRow* row : wifiRows()) {
        EXPECT_EQ(row->value(), u"\u2014"_s) << row->title().toStdString();
    }
    EXPECT_EQ(dashboard().lookupRow()->value(), u"12.0 ms"_s);
}

TEST_F(ContentViewTest, TheRouterIgnoringPingsReadsICMPBlocked) {
    sources.store->setMonitoringEnabled(true);
    sources.launch();
    sources.answerAsHealthyNetwork();
    open();
    sources.poll();
    sources.pings->measurements[u"192.168.1.1"_s] = FakePingProbeRunner::unanswered();
    sources.poll(3);
    settle();
    ASSERT_TRUE(sources.sources.pingMonitor->isRouterIgnored().value());
    EXPECT_EQ(dashboard().latencyTrendRows()[0]->value(), u"ICMP blocked"_s);
    EXPECT_EQ(dashboard().latencyTrendRows()[0]->valueLabel()->currentFit().text, u"ICMP blocked"_s)
        << "drawn whole";
    EXPECT_EQ(dashboard().latencyTrendRows()[0]->sparkline()->samples(), std::vector<double>{3.25});
}

TEST_F(ContentViewTest, SwitchingMonitoringOffStoresItFirstAndPausesTheDashboard) {
    sources.store->setMonitoringEnabled(true);
    sources.launch();
    open();
    sources.poll();
    settle();
    sources.log.clear();
    click(dashboard().monitoringRow()->toggle());
    EXPECT_EQ(sources.log.mid(0, 2), (QStringList{u"store monitoringEnabled 0"_s, u"wifi stop"_s}));
    EXPECT_FALSE(sources.sources.lifecycleController->isMonitoringEnabled().value());
    EXPECT_FALSE(dashboard().monitoringRow()->toggle()->isChecked());
    EXPECT_EQ(dashboard().monitoringRow()->capsuleText(), u"Paused"_s);
    EXPECT_EQ(messageTexts(dashboard()), QStringList{u"Monitoring is paused."_s})
        << "no Wi-Fi message while paused, even without Wi-Fi";
    EXPECT_EQ(dashboard().shownMessageRows()[0]->accentColor(), NamedColors::orange);
    EXPECT_EQ(dashboard().header()->badge()->content().text, u"Disconnected"_s);

    sources.log.clear();
    click(dashboard().monitoringRow()->toggle());
    EXPECT_EQ(sources.log.mid(0, 2),
              (QStringList{u"store monitoringEnabled 1"_s, u"wifi start"_s}));
    EXPECT_EQ(dashboard().monitoringRow()->capsuleText(), u"Monitoring"_s);
}

TEST_F(ContentViewTest, ACaptivePortalAddsTheRedMessage) {
    sources.store->setMonitoringEnabled(true);
    sources.launch();
    sources.answerAsHealthyNetwork();
    sources.portals->measurement = {.isCaptivePortal = true,
                                    .portalURL = QUrl(u"https://portal.example/login"_s),
                                    .probeURL = std::nullopt,
                                    .reason = CaptivePortalDetectionReason::redirect,
                                    .didSucceed = true};
    open();
    sources.poll();
    settle();
    EXPECT_EQ(messageTexts(dashboard()),
              QStringList{u"Captive portal detected. Login may be required at "
                          u"https://portal.example/login."_s});
    EXPECT_EQ(dashboard().shownMessageRows()[0]->accentColor(), NamedColors::red);

    view->setActivePanel(PanelRoute::captivePortal);
    EXPECT_EQ(view->captivePortalCard()->statusLine()->text(),
              u"Captive portal detected via an HTTP redirect."_s);
}

// While the popover is open, the captive portal's last check gains its date
// once it is of another day: at midnight, and at once where a sleep or a
// setting of the clock crosses midnight, forwards or back.
TEST_F(ContentViewTest, TheLastCaptivePortalCheckGainsItsDateWhenTheDayChanges) {
    sources.store->setMonitoringEnabled(true);
    sources.launch();
    sources.answerAsHealthyNetwork();
    open();
    sources.poll();
    view->setActivePanel(PanelRoute::captivePortal);
    settle();
    const auto status = sources.sources.captivePortalMonitor->latestStatus().value();
    ASSERT_TRUE(status);
    const auto lastCheck = [this] { return view->captivePortalCard()->lastCheckRow()->value(); };
    const auto expected = [&] {
        return CaptivePortalCardModel::lastCheckedText(status, runtime.clock().now());
    };
    const QString sameDay = lastCheck();
    const auto moveWallClock = [&](double seconds) {
        runtime.clock().moveWallClock(seconds);
        sources.notificationCenter.post(NotificationCenter::systemClockDidChange);
        settle();
    };
    for (const double move : {26.0 * 3600, -26.0 * 3600}) {
        SCOPED_TRACE(move);
        moveWallClock(move);
        EXPECT_NE(lastCheck(), sameDay);
        EXPECT_EQ(lastCheck(), expected());
        moveWallClock(-move);
        EXPECT_EQ(lastCheck(), sameDay);
    }
    runtime.advance(std::chrono::duration<double>(std::chrono::hours(24)).count());
    settle();
    EXPECT_EQ(lastCheck(), expected());
    EXPECT_NE(lastCheck(), sameDay);
}

TEST_F(ContentViewTest, LocationNotAuthorizedOffersTheButtonThatAsks) {
    sources.authorizer->status = LocationPermissionStatus::notDetermined;
    sources.sources.locationPermissionController->refreshAuthorizationStatus();
    open();
    const LocationPermissionCard& card = *dashboard().locationCard();
    EXPECT_EQ(card.textLabel()->text(),
              u"Allow Location Services to read SSID and BSSID diagnostics."_s);
    ASSERT_TRUE(card.button()->isVisibleTo(view.get()));
    EXPECT_EQ(card.button()->text(), u"Allow Location Access"_s);
    click(card.button());
    EXPECT_EQ(sources.authorizer->requests, 1);

    sources.authorizer->report(LocationPermissionStatus::denied);
    settle();
    EXPECT_EQ(card.button()->text(), u"Open Settings"_s);
    click(card.button());
    EXPECT_EQ(sources.locationSettings->opens, 1);

    sources.authorizer->report(LocationPermissionStatus::authorized);
    settle();
    EXPECT_FALSE(card.button()->isVisibleTo(view.get()));
}

TEST_F(ContentViewTest, TheConnectionPanelShowsTheMonitorsHistoryOnOneScale) {
    sources.connections->measurement = {TCPConnectionStateCounts{5, 2, 1}, true};
    open();
    sources.poll();
    sources.connections->measurement = {TCPConnectionStateCounts{6, 0, 0}, true};
    sources.poll();
    view->setActivePanel(PanelRoute::connectionMonitor);
    const ConnectionMonitorCardContent content = view->connectionMonitorCardContent();
    EXPECT_EQ(content.totalSamples, (std::vector<double>{8, 6}));
    EXPECT_EQ(content.orphanedSamples, (std::vector<double>{3, 0}));
    EXPECT_EQ(content.yDomain, (ClosedRange{0, 20}));
    EXPECT_EQ(content.statusText, u"Connection pressure is currently good."_s);
    EXPECT_EQ(view->connectionMonitorCard()->statusLine()->text(), content.statusText);
    EXPECT_EQ(view->connectionMonitorCard()->rows()[0]->value(), u"6"_s);

    sources.connections->measurement = {std::nullopt, false};
    sources.poll();
    settle();
    EXPECT_EQ(view->connectionMonitorCard()->statusLine()->text(),
              u"Connection monitor failed to read TCP states."_s);
}

TEST_F(ContentViewTest, TheSettingsPanelIsFreshEachTimeAndWritesBatteryFriendlyThrough) {
    sources.store->setMonitoringEnabled(true);
    sources.launch();
    open();
    click(dashboard().header()->settingsButton());
    SettingsOverlayCard* card = view->settingsCard();
    ASSERT_NE(card, nullptr);
    card->setSelectedTab(SettingsOverlayTab::about);
    sources.loginItems->refusal = u"denied"_s;
    card->setSelectedTab(SettingsOverlayTab::general);
    click(card->launchAtLoginSwitch());
    ASSERT_TRUE(card->launchAtLoginError().has_value());

    sources.log.clear();
    click(card->batteryFriendlySwitch());
    EXPECT_EQ(sources.log.mid(0, 1), QStringList{u"store batteryFriendly 0"_s});
    EXPECT_FALSE(sources.sources.lifecycleController->isBatteryFriendly().value());
    EXPECT_EQ(card->modeBadgeText(), u"Always Fast"_s);
    EXPECT_EQ(sources.monitorControls[0]->pollInterval, 0.5);

    click(card->header()->backButton());
    EXPECT_EQ(view->settingsCard(), nullptr);
    click(dashboard().header()->settingsButton());
    SettingsOverlayCard* second = view->settingsCard();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->selectedTab(), SettingsOverlayTab::general);
    EXPECT_EQ(second->launchAtLoginError(), std::nullopt);
    EXPECT_EQ(sources.madeLoginControllers.size(), 2U) << "each card makes its own controller";
    EXPECT_FALSE(second->batteryFriendlySwitch()->isChecked());
    EXPECT_EQ(second->modeBadgeText(), u"Always Fast"_s);
}

TEST_F(ContentViewTest, TheSettingsPanelFollowsBatteryFriendlyChangedElsewhere) {
    sources.launch();
    open();
    view->setActivePanel(PanelRoute::settings);
    ASSERT_TRUE(view->settingsCard()->batteryFriendlySwitch()->isChecked());
    sources.sources.lifecycleController->setBatteryFriendly(false);
    settle();
    EXPECT_FALSE(view->settingsCard()->batteryFriendlySwitch()->isChecked());
}

TEST_F(ContentViewTest, ChangesAnimateWhileOpenAndOnlyWhenTheirValueChanges) {
    sources.store->setMonitoringEnabled(true);
    sources.launch();
    sources.answerAsHealthyNetwork();
    open();
    sources.poll(2);
    settle();
    HealthStateBadge* badge = dashboard().header()->badge();
    MonitoringSwitchRow* monitoring = dashboard().monitoringRow();
    PanelCrossFade* crossFade = view->panelCrossFade();
    const auto anyRunning = [&] {
        return badge->isInTransition() || monitoring->toggle()->isInTransition() ||
               monitoring->isCapsuleFading() || dashboard().isFadingInMessages() ||
               crossFade->isRunning();
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !anyRunning(); }, 2000));

    sources.poll(3);
    settle();
    EXPECT_FALSE(anyRunning()) << "polls that change nothing animate nothing";

    sources.pings->measurements[u"1.1.1.1"_s] = FakePingProbeRunner::answered(120.0, 35.0, 12);
    sources.poll();
    settle();
    EXPECT_TRUE(badge->isInTransition()) << "the health state changed";
    EXPECT_FALSE(monitoring->toggle()->isInTransition());

    click(monitoring->toggle());
    EXPECT_TRUE(monitoring->toggle()->isInTransition());
    EXPECT_TRUE(monitoring->isCapsuleFading());
    EXPECT_TRUE(dashboard().isFadingInMessages()) << "the paused message";

    click(dashboard().header()->toolboxButton());
    EXPECT_TRUE(crossFade->isRunning());
    EXPECT_GT(crossFade->opacity(), 0.0) << "the old panel still shows, fading";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !anyRunning(); }, 2000));
    EXPECT_TRUE(crossFade->isHidden());

    // Closed, nothing runs; opened, what changed meanwhile shows as it is.
    view->hide();
    view->setActivePanel(PanelRoute::dashboard);
    EXPECT_FALSE(crossFade->isRunning());
    sources.sources.lifecycleController->setMonitoringEnabled(true);
    settle();
    EXPECT_FALSE(anyRunning());
    view->show();
    EXPECT_FALSE(anyRunning());
    EXPECT_EQ(monitoring->capsuleText(), u"Monitoring"_s);
}

// Tab goes from control to control: no stop where Space does nothing, and
// each stop shows its focus ring.
TEST_F(ContentViewTest, EveryTabStopIsAControl) {
    open();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    for (const PanelRoute panel :
         {PanelRoute::dashboard, PanelRoute::toolbox, PanelRoute::settings}) {
        SCOPED_TRACE(static_cast<int>(panel));
        view->setActivePanel(panel);
        view->panelCrossFade()->finish();
        settle();
        const QStringList stops = ViewInspection::tabStopKinds(*view);
        EXPECT_GT(stops.size(), 2);
        EXPECT_EQ(stops.count(u"button"_s), stops.size()) << stops.join(u", "_s).toStdString();
        EXPECT_EQ(ViewInspection::tabStopsWithoutFocusRing(*view, NamedColors::accent),
                  QStringList());
    }
}

// Whatever moves the focus, the keyboard or an action that hides or disables
// the control that has it, a control in view holds it; a control that lost
// it gets it back when it can take it again.
TEST_F(ContentViewTest, TheFocusStaysOnAControlInView) {
    sources.updates->holdsChecks = true;
    const auto key = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
    const auto scrollToEnd = [this] {
        QScrollBar* bar = view->scrollArea()->verticalScrollBar();
        bar->setValue(bar->maximum());
    };
    const auto shrinkGear = [this] {
        dashboard().header()->settingsButton()->setFixedSize(0, 0);
        settle();
    };
    const auto toAboutCheck = [this] {
        view->setActivePanel(PanelRoute::settings);
        view->settingsCard()->setSelectedTab(SettingsOverlayTab::about);
        settle();
        view->settingsCard()->updateButton()->setFocus(Qt::TabFocusReason);
    };
    struct Row {
        const char* name;
        std::function<void()> act;
        // The control that then holds the focus.
        std::function<QWidget*()> holder;
    };
    const std::vector<Row> rows{
        {"Shift+Tab once open", [&] { key(Qt::Key_Backtab); },
         [this] { return dashboard().quitButton(); }},
        {"Tab once open, scrolled to the end",
         [&] {
             scrollToEnd();
             key(Qt::Key_Tab);
         },
         [this] { return dashboard().header()->toolboxButton(); }},
        {"Tab past a control of no size",
         [&] {
             shrinkGear();
             key(Qt::Key_Tab);
             key(Qt::Key_Tab);
         },
         [this] { return dashboard().monitoringRow()->toggle(); }},
        {"Shift+Tab past a control of no size",
         [&] {
             shrinkGear();
             dashboard().monitoringRow()->toggle()->setFocus(Qt::TabFocusReason);
             key(Qt::Key_Backtab);
         },
         [this] { return dashboard().header()->toolboxButton(); }},
        {"the gear hidden while focused, then shown again",
         [&] {
             key(Qt::Key_Tab);
             key(Qt::Key_Tab);
             dashboard().header()->settingsButton()->hide();
             settle();
             dashboard().header()->settingsButton()->show();
         },
         [this] { return dashboard().header()->settingsButton(); }},
        {"Space on the Toolbox button",
         [&] {
             key(Qt::Key_Tab);
             key(Qt::Key_Space);
         },
         [this] { return view->toolboxCard()->header()->backButton(); }},
        {"Space on Toolbox, then on Back",
         [&] {
             key(Qt::Key_Tab);
             key(Qt::Key_Space);
             settle();
             key(Qt::Key_Space);
         },
         [this] { return dashboard().header()->toolboxButton(); }},
        {"Space twice on Check for Updates, then the check ends",
         [&] {
             toAboutCheck();
             key(Qt::Key_Space);
             settle();
             key(Qt::Key_Space);
             settle();
             sources.updates->finishHeldCheck();
         },
         [this] { return view->settingsCard() ? view->settingsCard()->updateButton() : nullptr; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        open();
        view->resize(400, 577);
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
        row.act();
        settle();
        EXPECT_EQ(ViewInspection::focusFault(*view), QString());
        EXPECT_EQ(QApplication::focusWidget(), row.holder());
    }
}
