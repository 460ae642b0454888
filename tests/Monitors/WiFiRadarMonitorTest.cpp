#include "Monitors/WiFiRadarMonitor.h"

#include "Core/TaskSleeper.h"
#include "Support/TestRuntime.h"

#include <chrono>
#include <gtest/gtest.h>

namespace {

class ScriptedInterfaceProvider final : public WiFiInterfaceProviding {
public:
    std::optional<WiFiInterfaceSnapshot> snapshot;
    int readCount = 0;

    std::optional<WiFiInterfaceSnapshot> currentSnapshot() override {
        ++readCount;
        return snapshot;
    }
};

WiFiInterfaceSnapshot interfaceReading(std::int64_t rssi, std::int64_t noise) {
    return WiFiInterfaceSnapshot{QStringLiteral("wlan0"),
                                 QStringLiteral("Cafe Amsel"),
                                 QStringLiteral("b0:be:76:41:09:c2"),
                                 rssi,
                                 noise,
                                 234,
                                 6,
                                 WiFiBand::twoPointFourGigahertz};
}

Date at(double seconds) {
    return TestRuntime::startDate() +
           std::chrono::duration_cast<Date::duration>(std::chrono::duration<double>(seconds));
}

} // namespace

class WiFiRadarMonitorTest : public testing::Test {
protected:
    std::shared_ptr<WiFiRadarMonitor> makeMonitor(std::int64_t maxHistorySampleCount = 120) {
        return WiFiRadarMonitor::create({0.25, maxHistorySampleCount}, provider,
                                        std::make_shared<TaskSleeper>(),
                                        runtime.clock().dateProvider());
    }

    TestRuntime runtime;
    std::shared_ptr<ScriptedInterfaceProvider> provider =
        std::make_shared<ScriptedInterfaceProvider>();
};

TEST_F(WiFiRadarMonitorTest, AReadingCarriesTheRadioFiguresAndNoNetworkDetails) {
    provider->snapshot = interfaceReading(-58, -91);
    auto monitor = makeMonitor();
    monitor->start();
    runtime.runUntilIdle();
    const WiFiSnapshot expected{TestRuntime::startDate(),
                                QStringLiteral("Cafe Amsel"),
                                QStringLiteral("b0:be:76:41:09:c2"),
                                -58,
                                -91,
                                33,
                                234,
                                6,
                                WiFiBand::twoPointFourGigahertz,
                                std::nullopt,
                                false};
    EXPECT_TRUE(monitor->isConnected().value());
    EXPECT_EQ(monitor->latestSnapshot().value(), expected);
    EXPECT_EQ(monitor->history().value(), std::vector<WiFiSnapshot>{expected});
    monitor->stop();
}

TEST_F(WiFiRadarMonitorTest, SamplesAtOnceThenEveryQuarterSecondUntilStopped) {
    provider->snapshot = interfaceReading(-60, -90);
    auto monitor = makeMonitor();
    monitor->start();
    monitor->start();
    runtime.runUntilIdle();
    EXPECT_EQ(provider->readCount, 1) << "the first reading is taken at once";
    EXPECT_EQ(runtime.clock().nanosecondsUntilNextTimer(), 250'000'000u);

    runtime.advance(1.0);
    monitor->start();
    runtime.advance(0.1);
    std::vector<Date> stamps;
    for (const WiFiSnapshot& reading : monitor->history().value()) {
        stamps.push_back(reading.timestamp);
    }
    EXPECT_EQ(stamps, (std::vector<Date>{at(0), at(0.25), at(0.5), at(0.75), at(1.0)}))
        << "a second start() made a second loop";

    monitor->stop();
    runtime.advance(5.0);
    EXPECT_EQ(provider->readCount, 5) << "sampling went on after stop()";
    EXPECT_EQ(runtime.clock().pendingTimerCount(), 0u);
    EXPECT_TRUE(monitor->isConnected().value());
    EXPECT_EQ(monitor->history().value().size(), 5u) << "stop() keeps the readings";

    monitor->start();
    runtime.runUntilIdle();
    EXPECT_EQ(provider->readCount, 6) << "a later start() samples again at once";
    monitor->stop();
}

TEST_F(WiFiRadarMonitorTest, HistoryKeepsTheNewest120Readings) {
    provider->snapshot = interfaceReading(-60, -90);
    auto monitor = makeMonitor();
    monitor->start();
    runtime.advance(29.75);
    ASSERT_EQ(monitor->history().value().size(), 120u);
    EXPECT_EQ(monitor->history().value().front().timestamp, at(0));

    runtime.advance(0.25);
    ASSERT_EQ(monitor->history().value().size(), 120u) << "the 121st reading";
    EXPECT_EQ(monitor->history().value().front().timestamp, at(0.25));
    EXPECT_EQ(monitor->history().value().back().timestamp, at(30.0));
    EXPECT_EQ(monitor->latestSnapshot().value()->timestamp, at(30.0));
    monitor->stop();
}

TEST_F(WiFiRadarMonitorTest, APollWithoutInterfaceDisconnectsAndKeepsTheHistory) {
    auto monitor = makeMonitor();
    monitor->start();
    runtime.runUntilIdle();
    EXPECT_FALSE(monitor->isConnected().value());
    EXPECT_FALSE(monitor->latestSnapshot().value());
    EXPECT_TRUE(monitor->history().value().empty());

    provider->snapshot = interfaceReading(-60, -90);
    runtime.advance(0.5);
    ASSERT_EQ(monitor->history().value().size(), 2u);
    provider->snapshot.reset();
    runtime.advance(0.25);
    EXPECT_FALSE(monitor->isConnected().value());
    EXPECT_FALSE(monitor->latestSnapshot().value());
    EXPECT_EQ(monitor->history().value().size(), 2u);
    monitor->stop();
}

TEST_F(WiFiRadarMonitorTest, AStoppedMonitorIsReleasedWithItsOwner) {
    provider->snapshot = interfaceReading(-60, -90);
    auto monitor = makeMonitor();
    monitor->start();
    runtime.advance(0.5);
    const std::weak_ptr<WiFiRadarMonitor> watcher = monitor;
    monitor.reset();
    EXPECT_FALSE(watcher.expired()) << "a running loop keeps its monitor";
    watcher.lock()->stop();
    runtime.runUntilIdle();
    EXPECT_TRUE(watcher.expired());

    auto unstarted = makeMonitor();
    unstarted->start();
    unstarted.reset();
    runtime.runUntilIdle();
    EXPECT_EQ(provider->readCount, 3) << "a monitor released before its loop ran was read";
}
