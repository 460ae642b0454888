#include "Monitors/ConnectionMonitor.h"

#include "Core/TaskSleeper.h"
#include "Support/FakeTCPConnectionCounter.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>

class ConnectionMonitorTest : public testing::Test {
protected:
    void pollTimes(int count) {
        for (int index = 0; index < count; ++index) {
            runtime.runToCompletion([&]() -> Async::Task<void> { co_await monitor->pollOnce(); });
        }
    }

    TestRuntime runtime;
    std::shared_ptr<FakeTCPConnectionCounter> counter =
        std::make_shared<FakeTCPConnectionCounter>();
    std::shared_ptr<ConnectionMonitor> monitor = ConnectionMonitor::create(
        {2.0, 60, 1.5}, counter, std::make_shared<TaskSleeper>(), runtime.clock().dateProvider());
};

TEST_F(ConnectionMonitorTest, GradesTotalAndOrphanedConnections) {
    const std::vector<std::pair<TCPConnectionStateCounts, SignalQuality>> cases{
        {{450, 40, 9}, SignalQuality::good},       {{300, 150, 50}, SignalQuality::warning},
        {{0, 250, 0}, SignalQuality::warning},     {{100, 401, 0}, SignalQuality::poor},
        {{801, 0, 0}, SignalQuality::poor},        {{0, 0, 0}, SignalQuality::good},
        {{300, 199, 0}, SignalQuality::good},      {{299, 200, 0}, SignalQuality::warning},
        {{400, 200, 200}, SignalQuality::warning}, {{0, 200, 201}, SignalQuality::poor}};
    for (const auto& [counts, grade] : cases) {
        EXPECT_EQ(ConnectionMonitor::quality(counts), grade)
            << counts.established << "/" << counts.timeWait << "/" << counts.closeWait;
    }
}

TEST_F(ConnectionMonitorTest, ASuccessfulCountPublishesTheResultAndClearsTheMessage) {
    counter->measurement = {std::nullopt, false};
    pollTimes(1);
    EXPECT_EQ(monitor->lastErrorMessage().value(),
              QStringLiteral("Connection monitor failed to read TCP states."));
    EXPECT_FALSE(monitor->latestResult().value());
    EXPECT_EQ(monitor->connectionQuality().value(), SignalQuality::poor);

    counter->measurement = {TCPConnectionStateCounts{10, 2, 1}, true};
    runtime.advance(5.0);
    pollTimes(1);
    const ConnectionPressureResult expected{
        TestRuntime::startDate() + std::chrono::seconds(5), {10, 2, 1}, SignalQuality::good};
    EXPECT_EQ(monitor->latestResult().value(), expected);
    EXPECT_EQ(monitor->connectionQuality().value(), SignalQuality::good);
    EXPECT_FALSE(monitor->lastErrorMessage().value());
}

TEST_F(ConnectionMonitorTest, AFailedCountKeepsTheLastResultAndOnlySetsTheMessage) {
    pollTimes(1);
    counter->measurement = {std::nullopt, false};
    pollTimes(1);
    EXPECT_EQ(monitor->connectionQuality().value(), SignalQuality::good);
    EXPECT_TRUE(monitor->latestResult().value().has_value());
    EXPECT_EQ(monitor->history().value().size(), 1u);
    EXPECT_TRUE(monitor->lastErrorMessage().value().has_value());
}

TEST_F(ConnectionMonitorTest, HistoryKeepsTheNewestSixtyAndResetClearsAll) {
    pollTimes(61);
    EXPECT_EQ(monitor->history().value().size(), 60u);
    counter->measurement = {std::nullopt, false};
    pollTimes(1);
    monitor->resetTransientState();
    EXPECT_FALSE(monitor->latestResult().value());
    EXPECT_TRUE(monitor->history().value().empty());
    EXPECT_EQ(monitor->connectionQuality().value(), SignalQuality::poor);
    EXPECT_FALSE(monitor->lastErrorMessage().value());
}
