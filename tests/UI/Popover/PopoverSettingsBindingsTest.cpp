#include "UI/Popover/PopoverSettingsBindings.h"

#include "AppState/NoOpNetworkChangeObserver.h"
#include "AppState/NoOpSleepWakeObserver.h"
#include "Core/TaskSleeper.h"
#include "Support/QStringPrinter.h"
#include "Support/RecordingMonitorControl.h"
#include "Support/RecordingSettingsStore.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Reports network changes when the test says so.
class TriggeredNetworkChanges final : public NetworkChangeObserving {
public:
    Callback onNetworkChange() const override { return callback_; }
    void setOnNetworkChange(Callback callback) override { callback_ = std::move(callback); }
    void start() override {}
    void stop() override {}
    void report() const { callback_(); }

private:
    Callback callback_;
};

} // namespace

class PopoverSettingsBindingsTest : public testing::Test {
protected:
    void SetUp() override {
        controller->applicationDidLaunch();
        runtime.runUntilIdle();
        log.clear();
    }

    TestRuntime runtime;
    QStringList log;
    std::shared_ptr<RecordingSettingsStore> store = std::make_shared<RecordingSettingsStore>(log);
    std::shared_ptr<RecordingMonitorControl> monitor =
        std::make_shared<RecordingMonitorControl>(u"wifi"_s, log);
    std::shared_ptr<TriggeredNetworkChanges> networkChanges =
        std::make_shared<TriggeredNetworkChanges>();
    std::shared_ptr<MonitoringLifecycleController> controller =
        MonitoringLifecycleController::create({monitor}, {0.5, 4.0, 30.0}, networkChanges,
                                              std::make_shared<NoOpSleepWakeObserver>(),
                                              std::make_shared<TaskSleeper>(), store);
    FlagBinding monitoring = PopoverSettingsBindings::monitoringEnabledBinding(controller);
    FlagBinding batteryFriendly = PopoverSettingsBindings::batteryFriendlyBinding(controller);
};

TEST_F(PopoverSettingsBindingsTest, MonitoringIsStoredBeforeTheMonitorsStopAndStart) {
    EXPECT_TRUE(monitoring.get());
    monitoring.set(false);
    EXPECT_EQ(log, (QStringList{u"store monitoringEnabled 0"_s, u"wifi stop"_s}));
    EXPECT_FALSE(monitoring.get());
    EXPECT_FALSE(store->monitoringEnabled());
    EXPECT_EQ(controller->monitoringStatusText(), u"Monitoring is paused."_s);
    log.clear();
    monitoring.set(true);
    EXPECT_EQ(log,
              (QStringList{u"store monitoringEnabled 1"_s, u"wifi start"_s, u"wifi interval 4"_s}));
    EXPECT_TRUE(monitoring.get());
    EXPECT_EQ(controller->monitoringStatusText(), u"Monitoring active in background mode."_s);
}

TEST_F(PopoverSettingsBindingsTest, WritingTheCurrentMonitoringStateOnlyStoresItAgain) {
    monitoring.set(true);
    EXPECT_EQ(log, QStringList{u"store monitoringEnabled 1"_s});
}

TEST_F(PopoverSettingsBindingsTest, BatteryFriendlyReachesTheControllerAndThePollInterval) {
    controller->setPopoverPresented(true);
    log.clear();
    EXPECT_TRUE(batteryFriendly.get());
    batteryFriendly.set(false);
    EXPECT_EQ(log, (QStringList{u"store batteryFriendly 0"_s, u"wifi interval 0.5"_s}));
    EXPECT_FALSE(batteryFriendly.get());
    EXPECT_FALSE(controller->isBatteryFriendly().value());

    batteryFriendly.set(true);
    EXPECT_EQ(monitor->pollInterval, 0.5) << "the popover is open";
    controller->setPopoverPresented(false);
    EXPECT_EQ(monitor->pollInterval, 4.0);
}

TEST_F(PopoverSettingsBindingsTest, TurningBatteryFriendlyOffEndsTheFastPollingWindow) {
    networkChanges->report();
    runtime.runUntilIdle();
    ASSERT_TRUE(controller->isNetworkFastPollingActive());
    batteryFriendly.set(false);
    EXPECT_FALSE(controller->isNetworkFastPollingActive());
    EXPECT_EQ(monitor->pollInterval, 0.5);
}

TEST_F(PopoverSettingsBindingsTest, BatteryFriendlyWhileMonitoringIsOffSetsNoInterval) {
    monitoring.set(false);
    log.clear();
    batteryFriendly.set(false);
    EXPECT_EQ(log, QStringList{u"store batteryFriendly 0"_s});
    EXPECT_FALSE(batteryFriendly.get());
}
