#include "UI/Radar/WiFiRadarWindowView.h"

#include "Core/TaskSleeper.h"
#include "Support/FixedNetworkMetadata.h"
#include "Support/QStringPrinter.h"
#include "Support/ScriptedWiFiInterface.h"
#include "Support/TestRuntime.h"
#include "UI/Radar/RadarPanelView.h"
#include "UI/Radar/RadarSidebarView.h"
#include "UI/Radar/WiFiRadarContentView.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

// Reads the interface the test sets, counting the reads.
class CountingInterface final : public WiFiInterfaceProviding {
public:
    std::optional<WiFiInterfaceSnapshot> snapshot;
    int readCount = 0;

    std::optional<WiFiInterfaceSnapshot> currentSnapshot() override {
        ++readCount;
        return snapshot;
    }
};

// Hears the same networks on every scan, at once.
class FixedScanner final : public WiFiNetworkScanning {
public:
    std::vector<WiFiScannedNetwork> networks{
        {u"Cafe Amsel"_s, u"bb:00"_s, -63, 6, WiFiBand::twoPointFourGigahertz}};
    int scanCount = 0;

    Async::Task<std::vector<WiFiScannedNetwork>> scanNetworks() override {
        ++scanCount;
        co_return networks;
    }
};

} // namespace

class WiFiRadarWindowViewTest : public testing::Test {
protected:
    WiFiRadarWindowViewTest() {
        radarInterface->snapshot =
            ScriptedWiFiInterface::associated(u"Linden House"_s, -47, -95, 866);
    }

    std::unique_ptr<WiFiRadarWindowView> makeView() {
        auto view = std::make_unique<WiFiRadarWindowView>(
            WiFiRadarWindowView::Dependencies{.wifiMonitor = wifiMonitor,
                                              .interfaceProvider = radarInterface,
                                              .scanner = scanner,
                                              .sleeper = std::make_shared<TaskSleeper>(),
                                              .dateProvider = runtime.clock().dateProvider(),
                                              .sweepClock = [this] { return monotonicNow; }});
        view->setAttribute(Qt::WA_DontShowOnScreen);
        view->resize(1080, 680);
        return view;
    }

    RadarDiscView& disc(const WiFiRadarWindowView& view) const {
        return *view.contentView()->radarPanel()->disc();
    }
    const WiFiRadarContent& shown(const WiFiRadarWindowView& view) const {
        return view.contentView()->content();
    }
    static void runPostedRedraws() { QCoreApplication::processEvents(); }

    TestRuntime runtime;
    std::shared_ptr<CountingInterface> radarInterface = std::make_shared<CountingInterface>();
    std::shared_ptr<ScriptedWiFiInterface> sharedInterface =
        std::make_shared<ScriptedWiFiInterface>();
    std::shared_ptr<FixedScanner> scanner = std::make_shared<FixedScanner>();
    std::shared_ptr<WiFiMonitor> wifiMonitor =
        WiFiMonitor::create({0.5, 60}, sharedInterface, std::make_shared<FixedNetworkMetadata>(),
                            std::make_shared<TaskSleeper>(), runtime.clock().dateProvider());
    std::chrono::steady_clock::time_point monotonicNow{std::chrono::hours(5)};
};

TEST_F(WiFiRadarWindowViewTest, NothingRunsUntilTheWindowIsShown) {
    auto view = makeView();
    runtime.advance(5);
    EXPECT_EQ(radarInterface->readCount, 0);
    EXPECT_EQ(scanner->scanCount, 0);
    EXPECT_FALSE(view->nearbyNetworksController()->isRunning());
    EXPECT_FALSE(disc(*view).isSweepRunning());
    EXPECT_EQ(view->radarMonitor()->configuration().pollInterval, 0.25);
    EXPECT_EQ(view->radarMonitor()->configuration().maxHistorySampleCount, 120);
    EXPECT_EQ(view->nearbyNetworksController()->scanInterval(), 8.0);
}

TEST_F(WiFiRadarWindowViewTest, HidingStopsTheMonitorTheScannerAndTheSweep) {
    auto view = makeView();
    view->show();
    EXPECT_TRUE(view->nearbyNetworksController()->isRunning());
    EXPECT_TRUE(disc(*view).isSweepRunning());
    runtime.advance(1.0);
    EXPECT_EQ(radarInterface->readCount, 5);
    EXPECT_EQ(scanner->scanCount, 1);

    view->hide();
    EXPECT_FALSE(view->nearbyNetworksController()->isRunning());
    EXPECT_FALSE(disc(*view).isSweepRunning());
    runtime.runUntilIdle();
    EXPECT_EQ(runtime.clock().pendingTimerCount(), 0U) << "a sampling or scan loop still waits";
    runtime.advance(30);
    EXPECT_EQ(radarInterface->readCount, 5);
    EXPECT_EQ(scanner->scanCount, 1);
    EXPECT_EQ(view->radarMonitor()->history().value().size(), 5U) << "the readings stay";

    view->show();
    runtime.runUntilIdle();
    EXPECT_EQ(radarInterface->readCount, 6) << "showing again samples again";
    EXPECT_EQ(scanner->scanCount, 2);
    EXPECT_TRUE(disc(*view).isSweepRunning());
    view->hide();
}

TEST_F(WiFiRadarWindowViewTest, HidingTheHostWindowStopsTheViewInIt) {
    QWidget window;
    window.setAttribute(Qt::WA_DontShowOnScreen);
    auto* layout = new QVBoxLayout(&window);
    auto view = makeView();
    WiFiRadarWindowView* hosted = view.release();
    layout->addWidget(hosted);
    window.show();
    EXPECT_TRUE(hosted->nearbyNetworksController()->isRunning());
    EXPECT_TRUE(disc(*hosted).isSweepRunning());
    runtime.advance(0.5);
    window.hide();
    EXPECT_FALSE(hosted->nearbyNetworksController()->isRunning());
    EXPECT_FALSE(disc(*hosted).isSweepRunning());
    runtime.runUntilIdle();
    EXPECT_EQ(runtime.clock().pendingTimerCount(), 0U);
}

TEST_F(WiFiRadarWindowViewTest, ClosingTheWindowReleasesItsMonitorAndScanner) {
    auto view = makeView();
    view->show();
    runtime.advance(0.5);
    const std::weak_ptr<WiFiRadarMonitor> monitor = view->radarMonitor();
    const std::weak_ptr<WiFiRadarNearbyNetworksController> controller =
        view->nearbyNetworksController();
    view.reset();
    runtime.runUntilIdle();
    EXPECT_TRUE(monitor.expired()) << "the polling loop kept sampling for no window";
    EXPECT_TRUE(controller.expired());
    EXPECT_EQ(runtime.clock().pendingTimerCount(), 0U);
}

TEST_F(WiFiRadarWindowViewTest, RedrawsOnALaterTurnAndNotWhileHidden) {
    auto view = makeView();
    view->show();
    EXPECT_EQ(shown(*view).networkName, u"No Wi-Fi Network"_s);
    runtime.runUntilIdle();
    EXPECT_EQ(shown(*view).networkName, u"No Wi-Fi Network"_s)
        << "redrawn inside a published notification";
    runPostedRedraws();
    EXPECT_EQ(shown(*view).networkName, u"Linden House"_s);
    EXPECT_EQ(shown(*view).nearbyRows.size(), 1U);
    EXPECT_EQ(shown(*view).score, 92);

    view->hide();
    radarInterface->snapshot = ScriptedWiFiInterface::associated(u"Cafe"_s, -80, -90, 54);
    view->radarMonitor()->start(); // readings that arrive while hidden
    runtime.runUntilIdle();
    view->radarMonitor()->stop();
    runPostedRedraws();
    EXPECT_EQ(shown(*view).networkName, u"Linden House"_s) << "a hidden window drew";
    view->show();
    EXPECT_EQ(shown(*view).networkName, u"Cafe"_s) << "showing draws the latest values at once";
    view->hide();
}

TEST_F(WiFiRadarWindowViewTest, FallsBackToTheSharedMonitorUntilItsOwnReadingArrives) {
    sharedInterface->snapshot = ScriptedWiFiInterface::associated(u"Shared"_s, -60, -90, 300);
    wifiMonitor->start();
    runtime.runUntilIdle();
    wifiMonitor->stop();
    radarInterface->snapshot.reset();

    auto view = makeView();
    view->show();
    runtime.runUntilIdle();
    runPostedRedraws();
    EXPECT_EQ(shown(*view).networkName, u"Shared"_s);
    EXPECT_EQ(shown(*view).metricCards[3].samples, (std::vector<double>{300}));

    radarInterface->snapshot = ScriptedWiFiInterface::associated(u"Own"_s, -50, -90, 400);
    runtime.advance(0.25);
    runPostedRedraws();
    EXPECT_EQ(shown(*view).networkName, u"Own"_s);
    EXPECT_EQ(shown(*view).metricCards[3].samples, (std::vector<double>{400}));
    view->hide();
}

TEST_F(WiFiRadarWindowViewTest, TheSweepTurnsWithTheMonotonicClockFromEachShowing) {
    auto view = makeView();
    view->show();
    EXPECT_DOUBLE_EQ(disc(*view).sweepRotationDegrees(), -90);
    monotonicNow += std::chrono::milliseconds(1100);
    EXPECT_DOUBLE_EQ(disc(*view).sweepRotationDegrees(), 90);
    view->hide();
    monotonicNow += std::chrono::milliseconds(500);
    view->show();
    EXPECT_DOUBLE_EQ(disc(*view).sweepRotationDegrees(), -90) << "showing starts a new turn";

    disc(*view).freezeSweep(0.55);
    EXPECT_FALSE(disc(*view).isSweepRunning());
    monotonicNow += std::chrono::seconds(1);
    EXPECT_DOUBLE_EQ(disc(*view).sweepRotationDegrees(), 0);
    view->hide();
}
