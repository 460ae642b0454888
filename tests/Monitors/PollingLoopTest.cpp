#include "Monitors/PollingLoop.h"

#include "Core/TaskSleeper.h"
#include "Platform/Async/Continuation.h"
#include "Support/FakeSleeper.h"
#include "Support/TestRuntime.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <optional>

namespace {

// The smallest monitor: counts its polls; a poll can be held open.
class CountingMonitor : public std::enable_shared_from_this<CountingMonitor> {
public:
    CountingMonitor(double interval, std::shared_ptr<SleepProviding> sleeper, int& polls)
        : polls_(polls), loop(interval, std::move(sleeper)) {}

    Async::Task<void> pollOnce() {
        ++polls_;
        if (holdPolls) {
            co_await Async::withContinuation<void>(
                [this](Async::Continuation<void> continuation) { heldPoll = continuation; });
            ++finishedPolls;
        }
    }

    bool holdPolls = false;
    std::optional<Async::Continuation<void>> heldPoll;
    int finishedPolls = 0;

private:
    int& polls_;

public:
    PollingLoop loop;
};

} // namespace

class PollingLoopTest : public testing::Test {
protected:
    std::shared_ptr<CountingMonitor> makeMonitor(double interval,
                                                 std::shared_ptr<SleepProviding> sleeper) {
        return std::make_shared<CountingMonitor>(interval, std::move(sleeper), polls);
    }

    TestRuntime runtime;
    std::shared_ptr<FakeSleeper> sleeper = std::make_shared<FakeSleeper>();
    int polls = 0;
};

TEST_F(PollingLoopTest, PollsAtOnceThenPausesTheIntervalBetweenPolls) {
    auto monitor = makeMonitor(2.0, sleeper);
    monitor->loop.start(monitor);
    monitor->loop.start(monitor);
    runtime.runUntilIdle();
    EXPECT_EQ(polls, 1);
    EXPECT_EQ(sleeper->requestedSeconds(), (std::vector<double>{2.0}));
    monitor->loop.setPollInterval(0.5);
    sleeper->releaseAll();
    runtime.runUntilIdle();
    EXPECT_EQ(polls, 2);
    EXPECT_EQ(sleeper->requestedSeconds(), (std::vector<double>{2.0, 0.5}))
        << "a second start() made a second loop, or the new interval was not read";
}

TEST_F(PollingLoopTest, StopDuringThePauseEndsTheLoopAtOnce) {
    auto monitor = makeMonitor(4.0, sleeper);
    monitor->loop.start(monitor);
    runtime.runUntilIdle();
    monitor->loop.stop();
    EXPECT_FALSE(monitor->loop.isRunning());
    runtime.runUntilIdle();
    EXPECT_EQ(polls, 1);
    EXPECT_EQ(sleeper->suspendedCount(), 0u);
    // A new start makes a new loop.
    monitor->loop.start(monitor);
    runtime.runUntilIdle();
    EXPECT_EQ(polls, 2);
}

TEST_F(PollingLoopTest, StopDuringAPollLetsThatPollFinishThenEnds) {
    auto monitor = makeMonitor(4.0, sleeper);
    monitor->holdPolls = true;
    monitor->loop.start(monitor);
    runtime.runUntilIdle();
    ASSERT_TRUE(monitor->heldPoll.has_value());
    monitor->loop.stop();
    monitor->heldPoll->resume();
    runtime.runUntilIdle();
    EXPECT_EQ(monitor->finishedPolls, 1);
    EXPECT_TRUE(sleeper->requestedSeconds().empty()) << "the loop paused after it was stopped";
}

TEST_F(PollingLoopTest, NegativeAndNaNIntervalsCountAsZero) {
    PollingLoop loop(-1.0, sleeper);
    EXPECT_EQ(loop.pollInterval(), 0.0);
    loop.setPollInterval(std::nan(""));
    EXPECT_EQ(loop.pollInterval(), 0.0);
    loop.setPollInterval(0.5);
    EXPECT_EQ(loop.pollInterval(), 0.5);
}

TEST_F(PollingLoopTest, ZeroIntervalPollsBackToBackWithoutStarvingOtherWork) {
    auto monitor = makeMonitor(0.0, std::make_shared<TaskSleeper>());
    monitor->loop.start(monitor);
    bool otherTaskRan = false;
    Async::spawn([&]() -> Async::Task<void> {
        otherTaskRan = true;
        co_return;
    });
    for (int job = 0; job < 20; ++job) {
        runtime.executor().runOne();
    }
    EXPECT_TRUE(otherTaskRan);
    EXPECT_GE(polls, 5);
    monitor->loop.stop();
    runtime.runUntilIdle();
    const int pollsAtStop = polls;
    runtime.runUntilIdle();
    EXPECT_EQ(polls, pollsAtStop);
}

TEST_F(PollingLoopTest, PausesOnTheRuntimeClockToTheNanosecond) {
    auto monitor = makeMonitor(0.5, std::make_shared<TaskSleeper>());
    monitor->loop.start(monitor);
    runtime.runUntilIdle();
    EXPECT_EQ(runtime.clock().nanosecondsUntilNextTimer(), 500'000'000u);
    runtime.advance(1.0);
    EXPECT_EQ(polls, 3);
    monitor->loop.setPollInterval(std::numeric_limits<double>::infinity());
    runtime.advance(0.5);
    EXPECT_EQ(polls, 4);
    runtime.advance(10.0 * 365 * 24 * 3600);
    EXPECT_EQ(polls, 4) << "an infinite interval must wait as long as the clock can count";
    monitor->loop.stop();
}

TEST_F(PollingLoopTest, AMonitorReleasedBeforeItsLoopRunsIsNeverPolled) {
    auto monitor = makeMonitor(1.0, sleeper);
    monitor->loop.start(monitor);
    std::weak_ptr<CountingMonitor> watcher = monitor;
    monitor.reset();
    runtime.runUntilIdle();
    EXPECT_TRUE(watcher.expired());
    EXPECT_EQ(polls, 0);
}

TEST_F(PollingLoopTest, ARunningLoopKeepsItsMonitorAlive) {
    auto monitor = makeMonitor(1.0, sleeper);
    monitor->loop.start(monitor);
    runtime.runUntilIdle();
    std::weak_ptr<CountingMonitor> watcher = monitor;
    monitor.reset();
    EXPECT_FALSE(watcher.expired());
    watcher.lock()->loop.stop();
    runtime.runUntilIdle();
    EXPECT_TRUE(watcher.expired());
}
