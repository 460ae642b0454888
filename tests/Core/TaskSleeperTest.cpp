#include "Core/TaskSleeper.h"

#include "Platform/Async/CancellationError.h"
#include "Platform/Async/TaskHandle.h"
#include "Support/TestRuntime.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {
constexpr auto largestWait = std::numeric_limits<std::uint64_t>::max();
}

class TaskSleeperTest : public testing::Test {
protected:
    TestRuntime runtime;
    TaskSleeper sleeper;

    Async::TaskHandle<void> spawnSleep(double seconds) {
        return Async::spawn(
            [this, seconds]() -> Async::Task<void> { co_await sleeper.sleep(seconds); });
    }
};

TEST_F(TaskSleeperTest, ConvertsSecondsToWholeNanosecondsDroppingTheFraction) {
    EXPECT_EQ(TaskSleeper::nanoseconds(0.5), 500'000'000u);
    EXPECT_EQ(TaskSleeper::nanoseconds(4.0), 4'000'000'000u);
    EXPECT_EQ(TaskSleeper::nanoseconds(1.9e-9), 1u);
    EXPECT_EQ(TaskSleeper::nanoseconds(0.9e-9), 0u);
    EXPECT_EQ(TaskSleeper::nanoseconds(1.8e10), 18'000'000'000'000'000'000u);
}

TEST_F(TaskSleeperTest, ZeroNegativeAndNaNGiveNoWait) {
    EXPECT_EQ(TaskSleeper::nanoseconds(0.0), 0u);
    EXPECT_EQ(TaskSleeper::nanoseconds(-0.0), 0u);
    EXPECT_EQ(TaskSleeper::nanoseconds(-1.0), 0u);
    EXPECT_EQ(TaskSleeper::nanoseconds(-std::numeric_limits<double>::infinity()), 0u);
    EXPECT_EQ(TaskSleeper::nanoseconds(std::nan("")), 0u);
}

TEST_F(TaskSleeperTest, WaitsTooLongForSixtyFourBitsSaturate) {
    EXPECT_EQ(TaskSleeper::nanoseconds(18446744074.0), largestWait);
    EXPECT_EQ(TaskSleeper::nanoseconds(1e300), largestWait);
    EXPECT_EQ(TaskSleeper::nanoseconds(std::numeric_limits<double>::infinity()), largestWait);
    EXPECT_EQ(TaskSleeper::nanoseconds(std::numeric_limits<double>::max()), largestWait);
}

TEST_F(TaskSleeperTest, NoWaitReturnsWithoutSuspendingEvenWhenCancelled) {
    for (double seconds : {0.0, -3.0, 1e-12, std::nan("")}) {
        auto handle = spawnSleep(seconds);
        handle.cancel();
        EXPECT_EQ(runtime.runUntilIdle(), 1u) << "the sleep of " << seconds << " s suspended";
        EXPECT_TRUE(handle.isFinished());
        EXPECT_NO_THROW(
            runtime.runToCompletion([&]() -> Async::Task<void> { co_await handle.join(); }));
    }
}

TEST_F(TaskSleeperTest, SleepsTheRequestedTimeOnTheRuntimeClock) {
    auto handle = spawnSleep(0.5);
    runtime.clock().advanceNanoseconds(499'999'999);
    EXPECT_FALSE(handle.isFinished());
    runtime.clock().advanceNanoseconds(1);
    EXPECT_TRUE(handle.isFinished());
}

TEST_F(TaskSleeperTest, CancellationBeforeOrDuringTheSleepFails) {
    auto during = spawnSleep(4.0);
    runtime.advance(1.0);
    during.cancel();
    auto before = spawnSleep(4.0);
    before.cancel();
    runtime.runUntilIdle();
    for (const auto& handle : {during, before}) {
        EXPECT_TRUE(handle.isFinished());
        EXPECT_THROW(
            runtime.runToCompletion([&]() -> Async::Task<void> { co_await handle.join(); }),
            Async::CancellationError);
    }
    EXPECT_EQ(runtime.clock().elapsedNanoseconds(), 1'000'000'000u);
}

TEST_F(TaskSleeperTest, InfiniteSleepWaitsUntilCancelled) {
    auto handle = spawnSleep(std::numeric_limits<double>::infinity());
    runtime.advance(100.0 * 365 * 24 * 3600);
    EXPECT_FALSE(handle.isFinished());
    handle.cancel();
    runtime.runUntilIdle();
    EXPECT_TRUE(handle.isFinished());
}
