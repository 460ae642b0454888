#include "AppState/MonitoringLifecycleController.h"

#include "AppState/NoOpSleepWakeObserver.h"
#include "Core/TaskSleeper.h"
#include "Persistence/InMemoryAppSettingsStore.h"
#include "Persistence/ObservableAppSettingsStore.h"
#include "Support/FakeSleeper.h"
#include "Support/QStringPrinter.h"
#include "Support/TestRuntime.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// Records what the controller asks of one monitor, and, given a shared log,
// there too under the monitor's name.
class RecordingMonitor final : public AdaptiveMonitoringControlling {
public:
    std::vector<QString> operations;
    std::vector<QString>* sharedLog = nullptr;
    QString name;

    void start() override { record("start"); }
    void stop() override { record("stop"); }
    void setPollInterval(double seconds) override {
        record(QStringLiteral("interval %1").arg(seconds));
    }
    void resetTransientState() override { record("reset"); }

    std::vector<QString> take() { return std::exchange(operations, {}); }

private:
    void record(const QString& operation) {
        operations.push_back(operation);
        if (sharedLog != nullptr) {
            sharedLog->push_back(name + ' ' + operation);
        }
    }
};

// Notes each sleep and wake it is told of in a shared log.
class RecordingWork final : public SleepInterruptible {
public:
    explicit RecordingWork(std::vector<QString>& log) : log_(log) {}
    void systemWillSleep() override { log_.push_back(QStringLiteral("work sleep")); }
    void systemDidWake() override { log_.push_back(QStringLiteral("work wake")); }

private:
    std::vector<QString>& log_;
};

// Counts starts and stops, keeping the callback the controller installs.
class CountingNetworkObserver final : public NetworkChangeObserving {
public:
    int starts = 0;
    int stops = 0;
    Callback onNetworkChange() const override { return callback_; }
    void setOnNetworkChange(Callback callback) override { callback_ = std::move(callback); }
    void start() override { ++starts; }
    void stop() override { ++stops; }

private:
    Callback callback_;
};

// The in-memory store, noting when the monitoring switch is written.
class OrderRecordingStore final : public AppSettingsStoring {
public:
    std::vector<QString>* log = nullptr;

    bool monitoringEnabled() const override { return store_.monitoringEnabled(); }
    void setMonitoringEnabled(bool enabled) override {
        if (log != nullptr) {
            log->push_back(QStringLiteral("store %1").arg(enabled));
        }
        store_.setMonitoringEnabled(enabled);
    }
    bool batteryFriendly() const override { return store_.batteryFriendly(); }
    void setBatteryFriendly(bool enabled) override { store_.setBatteryFriendly(enabled); }
    bool colorfulIcon() const override { return store_.colorfulIcon(); }
    void setColorfulIcon(bool enabled) override { store_.setColorfulIcon(enabled); }
    QString internetPingTarget() const override { return store_.internetPingTarget(); }
    void setInternetPingTarget(const QString& target) override {
        store_.setInternetPingTarget(target);
    }
    std::optional<QString> lastSSID() const override { return store_.lastSSID(); }
    void setLastSSID(const std::optional<QString>& ssid) override { store_.setLastSSID(ssid); }

private:
    InMemoryAppSettingsStore store_;
};

} // namespace

class MonitoringLifecycleControllerTest : public testing::Test {
protected:
    void SetUp() override {
        store->setBatteryFriendly(true);
        store->setMonitoringEnabled(true);
    }

    std::shared_ptr<MonitoringLifecycleController>
    makeController(std::shared_ptr<SleepProviding> sleeper) {
        std::vector<std::shared_ptr<AdaptiveMonitoringControlling>> controlled(monitors.begin(),
                                                                               monitors.end());
        return MonitoringLifecycleController::create(controlled, {0.5, 4.0, 30.0}, network,
                                                     sleepWake, std::move(sleeper), store);
    }

    // The operations every monitor received since the last call; all five
    // monitors must have received the same ones, in list order.
    std::vector<QString> operations() {
        const auto first = monitors.front()->operations;
        for (const auto& monitor : monitors) {
            EXPECT_EQ(monitor->take(), first);
        }
        return first;
    }

    void networkChange() { network->onNetworkChange()(); }

    TestRuntime runtime;
    std::vector<std::shared_ptr<RecordingMonitor>> monitors{
        std::make_shared<RecordingMonitor>(), std::make_shared<RecordingMonitor>(),
        std::make_shared<RecordingMonitor>(), std::make_shared<RecordingMonitor>(),
        std::make_shared<RecordingMonitor>()};
    std::shared_ptr<CountingNetworkObserver> network = std::make_shared<CountingNetworkObserver>();
    std::shared_ptr<NoOpSleepWakeObserver> sleepWake = std::make_shared<NoOpSleepWakeObserver>();
    std::shared_ptr<OrderRecordingStore> store = std::make_shared<OrderRecordingStore>();
};

TEST_F(MonitoringLifecycleControllerTest, IntervalFollowsBatteryModeAndThePopover) {
    auto controller = makeController(std::make_shared<TaskSleeper>());
    controller->applicationDidLaunch();
    EXPECT_EQ(operations(), (std::vector<QString>{"start", "interval 4"}));
    EXPECT_EQ(controller->monitoringStatusText(), "Monitoring active in background mode.");
    controller->setPopoverPresented(true);
    EXPECT_EQ(operations(), std::vector<QString>{"interval 0.5"});
    EXPECT_EQ(controller->monitoringStatusText(), "Monitoring active in detailed mode.");
    controller->setPopoverPresented(false);
    EXPECT_EQ(operations(), std::vector<QString>{"interval 4"});
    controller->setBatteryFriendly(false);
    EXPECT_EQ(operations(), std::vector<QString>{"interval 0.5"});
    EXPECT_FALSE(store->batteryFriendly());
    controller->setPopoverPresented(true);
    controller->setPopoverPresented(false);
    EXPECT_EQ(operations(), (std::vector<QString>{"interval 0.5", "interval 0.5"}));
    EXPECT_EQ(controller->monitoringStatusText(), "Monitoring active in high-frequency mode.");
}

TEST_F(MonitoringLifecycleControllerTest,
       ANetworkChangeOpensAThirtySecondWindowThatANewChangeReplaces) {
    auto controller = makeController(std::make_shared<TaskSleeper>());
    controller->applicationDidLaunch();
    operations();
    networkChange();
    EXPECT_EQ(operations(), (std::vector<QString>{"reset", "interval 0.5"}));
    runtime.advance(20.0);
    networkChange();
    EXPECT_EQ(operations(), (std::vector<QString>{"reset", "interval 0.5"}));
    runtime.advance(29.999);
    EXPECT_TRUE(operations().empty()) << "the first window closed the second";
    runtime.advance(0.001);
    EXPECT_EQ(operations(), std::vector<QString>{"interval 4"});
    EXPECT_FALSE(controller->isNetworkFastPollingActive());
}

TEST_F(MonitoringLifecycleControllerTest, WithoutBatteryModeANetworkChangeOpensNoWindow) {
    store->setBatteryFriendly(false);
    auto controller = makeController(std::make_shared<TaskSleeper>());
    controller->applicationDidLaunch();
    EXPECT_EQ(controller->monitoringStatusText(), "Monitoring active in high-frequency mode.");
    operations();
    networkChange();
    EXPECT_EQ(operations(), (std::vector<QString>{"reset", "interval 0.5"}));
    EXPECT_FALSE(controller->isNetworkFastPollingActive());
    EXPECT_EQ(runtime.clock().pendingTimerCount(), 0u);
}

TEST_F(MonitoringLifecycleControllerTest,
       LeavingBatteryModeEndsTheWindowAndReturningDoesNotReopenIt) {
    auto controller = makeController(std::make_shared<TaskSleeper>());
    controller->applicationDidLaunch();
    networkChange();
    operations();
    controller->setBatteryFriendly(false);
    EXPECT_FALSE(controller->isNetworkFastPollingActive());
    controller->setBatteryFriendly(true);
    EXPECT_EQ(operations(), (std::vector<QString>{"interval 0.5", "interval 4"}));
    runtime.advance(60.0);
    EXPECT_TRUE(operations().empty());
}

// The settings window writes the stored value itself; the controller follows
// it exactly as it follows its own switch, and its own write is applied once.
TEST_F(MonitoringLifecycleControllerTest, AStoredBatteryModeWrittenElsewhereActsAsTheSwitch) {
    const auto observed = std::make_shared<ObservableAppSettingsStore>(store);
    for (const bool isWrittenElsewhere : {false, true}) {
        const auto controller = MonitoringLifecycleController::create(
            {monitors.begin(), monitors.end()}, {0.5, 4.0, 30.0}, network, sleepWake,
            std::make_shared<TaskSleeper>(), observed, [&](std::function<void()> onChange) {
                return observed->batteryFriendlyWrites().subscribe(
                    [onChange](bool) { onChange(); });
            });
        const auto turn = [&](bool enabled) {
            if (isWrittenElsewhere) {
                observed->setBatteryFriendly(enabled);
            } else {
                controller->setBatteryFriendly(enabled);
            }
        };
        controller->applicationDidLaunch();
        networkChange();
        operations();
        turn(false);
        EXPECT_FALSE(controller->isBatteryFriendly().value());
        EXPECT_FALSE(controller->isNetworkFastPollingActive());
        turn(true);
        EXPECT_TRUE(controller->isBatteryFriendly().value());
        EXPECT_EQ(operations(), (std::vector<QString>{"interval 0.5", "interval 4"}))
            << (isWrittenElsewhere ? "written elsewhere" : "the switch");
        controller->applicationWillTerminate();
        operations();
    }
}

TEST_F(MonitoringLifecycleControllerTest,
       AReplacedWindowWhoseWaitAlreadyEndedLeavesTheNewWindowOpen) {
    auto sleeper = std::make_shared<FakeSleeper>();
    auto controller = makeController(sleeper);
    controller->applicationDidLaunch();
    networkChange();
    runtime.runUntilIdle();
    // The first window's wait ends, but its task has not run yet when the next change comes.
    ASSERT_EQ(sleeper->releaseAll(), 1u);
    networkChange();
    runtime.runUntilIdle();
    EXPECT_TRUE(controller->isNetworkFastPollingActive());
    operations();
    EXPECT_EQ(sleeper->releaseAll(), 1u);
    runtime.runUntilIdle();
    EXPECT_FALSE(controller->isNetworkFastPollingActive());
    EXPECT_EQ(operations(), std::vector<QString>{"interval 4"});
}

TEST_F(MonitoringLifecycleControllerTest, SleepPausesTheMonitorsAndWakeResetsAndRestartsThem) {
    auto controller = makeController(std::make_shared<TaskSleeper>());
    controller->applicationDidLaunch();
    operations();
    sleepWake->onWillSleep()();
    sleepWake->onWillSleep()();
    EXPECT_EQ(operations(), std::vector<QString>{"stop"});
    EXPECT_TRUE(controller->isMonitoringEnabled().value());
    EXPECT_TRUE(controller->isPausedForSystemSleep());
    EXPECT_EQ(controller->monitoringStatusText(), "Monitoring active in background mode.");
    sleepWake->onDidWake()();
    sleepWake->onDidWake()();
    EXPECT_EQ(operations(), (std::vector<QString>{"reset", "start", "interval 4"}));
    EXPECT_FALSE(controller->isPausedForSystemSleep());
}

// Work run on demand hears of every sleep and wake, before the monitors, and
// also while monitoring is off.
TEST_F(MonitoringLifecycleControllerTest, SleepAndWakeReachOnDemandWorkWithMonitoringOnOrOff) {
    for (const bool monitoring : {true, false}) {
        SCOPED_TRACE(monitoring);
        store->setMonitoringEnabled(monitoring);
        std::vector<QString> log;
        monitors.front()->sharedLog = &log;
        monitors.front()->name = QStringLiteral("monitor");
        auto controller = makeController(std::make_shared<TaskSleeper>());
        controller->addSleepInterruptibleWork(std::make_shared<RecordingWork>(log));
        controller->applicationDidLaunch();
        log.clear();
        sleepWake->onWillSleep()();
        sleepWake->onDidWake()();
        const std::vector<QString> expected =
            monitoring
                ? std::vector<QString>{"work sleep",    "monitor stop",  "work wake",
                                       "monitor reset", "monitor start", "monitor interval 4"}
                : std::vector<QString>{"work sleep", "work wake"};
        EXPECT_EQ(log, expected);
        controller->applicationWillTerminate();
        monitors.front()->sharedLog = nullptr;
    }
}

TEST_F(MonitoringLifecycleControllerTest, WhileOffNothingReachesTheMonitors) {
    store->setMonitoringEnabled(false);
    auto controller = makeController(std::make_shared<TaskSleeper>());
    controller->applicationDidLaunch();
    networkChange();
    sleepWake->onWillSleep()();
    sleepWake->onDidWake()();
    controller->setPopoverPresented(true);
    EXPECT_TRUE(operations().empty());
    EXPECT_EQ(controller->monitoringStatusText(), "Monitoring is paused.");
    EXPECT_EQ(network->starts, 1);
}

TEST_F(MonitoringLifecycleControllerTest,
       TheSwitchStoresItsValueBeforeActingAndObserversKeepRunning) {
    std::vector<QString> log;
    store->log = &log;
    auto controller = makeController(std::make_shared<TaskSleeper>());
    controller->applicationDidLaunch();
    operations();
    auto subscription = controller->isMonitoringEnabled().subscribe(
        [&](bool enabled) { log.push_back(QStringLiteral("enabled %1").arg(enabled)); });
    log.clear();
    controller->setMonitoringEnabled(false);
    EXPECT_EQ(log, (std::vector<QString>{"store 0", "enabled 0"}));
    EXPECT_EQ(operations(), std::vector<QString>{"stop"});
    EXPECT_EQ(network->stops, 0);
    controller->applicationWillTerminate();
    EXPECT_EQ(network->stops, 1);
    controller->applicationDidLaunch();
    EXPECT_EQ(network->starts, 2) << "a later launch starts the observers again";
}

TEST_F(MonitoringLifecycleControllerTest, ReleasingTheControllerEndsItsWindow) {
    auto controller = makeController(std::make_shared<TaskSleeper>());
    controller->applicationDidLaunch();
    networkChange();
    controller.reset();
    runtime.runUntilIdle();
    EXPECT_EQ(runtime.clock().pendingTimerCount(), 0u);
    EXPECT_EQ(runtime.runtime().liveTaskCount(), 0u);
}

TEST_F(MonitoringLifecycleControllerTest, EveryStepReachesTheMonitorsInListOrderAroundTheFlag) {
    std::vector<QString> log;
    for (std::size_t index = 0; index < monitors.size(); ++index) {
        monitors[index]->sharedLog = &log;
        monitors[index]->name = QString::number(index);
    }
    // Each operation on all five monitors, in list order, before the next one.
    const auto onEachMonitor = [](std::initializer_list<const char*> operations) {
        std::vector<QString> expected;
        for (const char* operation : operations) {
            for (int index = 0; index < 5; ++index) {
                expected.push_back(QStringLiteral("%1 %2").arg(index).arg(operation));
            }
        }
        return expected;
    };
    const auto joined = [](std::vector<QString> first, const std::vector<QString>& second) {
        first.insert(first.end(), second.begin(), second.end());
        return first;
    };
    auto controller = makeController(std::make_shared<TaskSleeper>());
    auto subscription = controller->isMonitoringEnabled().subscribe(
        [&](bool enabled) { log.push_back(QStringLiteral("enabled %1").arg(enabled)); });

    struct Step {
        const char* name;
        std::function<void()> act;
        std::vector<QString> expected;
    };
    const std::vector<Step> steps{
        {"launch", [&] { controller->applicationDidLaunch(); },
         joined({"enabled 1"}, onEachMonitor({"start", "interval 4"}))},
        {"popover", [&] { controller->setPopoverPresented(true); },
         onEachMonitor({"interval 0.5"})},
        {"network change", [&] { networkChange(); }, onEachMonitor({"reset", "interval 0.5"})},
        {"sleep", [&] { sleepWake->onWillSleep()(); }, onEachMonitor({"stop"})},
        {"wake", [&] { sleepWake->onDidWake()(); },
         onEachMonitor({"reset", "start", "interval 0.5"})},
        {"switch off", [&] { controller->setMonitoringEnabled(false); },
         joined(onEachMonitor({"stop"}), {"enabled 0"})},
        {"switch on", [&] { controller->setMonitoringEnabled(true); },
         joined({"enabled 1"}, onEachMonitor({"start", "interval 0.5"}))},
        {"terminate", [&] { controller->applicationWillTerminate(); },
         joined(onEachMonitor({"stop"}), {"enabled 0"})},
    };
    for (const Step& step : steps) {
        log.clear();
        step.act();
        EXPECT_EQ(log, step.expected) << step.name;
    }
}
