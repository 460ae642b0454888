#include "Platform/Async/Sleep.h"

#include "Platform/Async/CancellationError.h"
#include "Platform/Async/TaskHandle.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {
constexpr std::uint64_t oneSecond = 1'000'000'000;
}

class SleepTest : public testing::Test {
protected:
    TestRuntime runtime;
};

TEST_F(SleepTest, SleepersWakeInDeadlineOrderEachAtItsOwnTime) {
    std::vector<std::pair<int, std::uint64_t>> wakes;
    for (int seconds : {3, 1, 2}) {
        Async::spawn([&, seconds]() -> Async::Task<void> {
            co_await Async::sleep(static_cast<std::uint64_t>(seconds) * oneSecond);
            wakes.emplace_back(seconds, runtime.clock().elapsedNanoseconds());
        });
    }
    runtime.advance(10.0);
    const std::vector<std::pair<int, std::uint64_t>> expected{
        {1, oneSecond}, {2, 2 * oneSecond}, {3, 3 * oneSecond}};
    EXPECT_EQ(wakes, expected);
}

TEST_F(SleepTest, WakesExactlyAtTheNanosecondDeadline) {
    bool woke = false;
    Async::spawn([&]() -> Async::Task<void> {
        co_await Async::sleep(oneSecond);
        woke = true;
    });
    runtime.clock().advanceNanoseconds(oneSecond - 1);
    EXPECT_FALSE(woke);
    runtime.clock().advanceNanoseconds(1);
    EXPECT_TRUE(woke);
}

TEST_F(SleepTest, AlreadyCancelledTaskFailsAtOnceWithoutATimer) {
    for (std::uint64_t nanoseconds : {std::uint64_t{0}, oneSecond}) {
        auto handle =
            Async::spawn([&]() -> Async::Task<void> { co_await Async::sleep(nanoseconds); });
        handle.cancel();
        runtime.runUntilIdle();
        EXPECT_TRUE(handle.isFinished()) << nanoseconds;
        EXPECT_EQ(runtime.clock().pendingTimerCount(), 0u);
        EXPECT_THROW(
            runtime.runToCompletion([&]() -> Async::Task<void> { co_await handle.join(); }),
            Async::CancellationError);
    }
}

TEST_F(SleepTest, ZeroGivesUpTheTurnWithoutWaiting) {
    std::vector<std::string> log;
    Async::spawn([&]() -> Async::Task<void> {
        log.push_back("a1");
        co_await Async::sleep(0);
        log.push_back("a2");
    });
    Async::spawn([&]() -> Async::Task<void> {
        log.push_back("b1");
        co_return;
    });
    runtime.runUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"a1", "b1", "a2"}));
    EXPECT_EQ(runtime.clock().elapsedNanoseconds(), 0u);
}

TEST_F(SleepTest, TheLongestSleepWaitsAndStaysCancellable) {
    auto handle = Async::spawn([]() -> Async::Task<void> {
        co_await Async::sleep(std::numeric_limits<std::uint64_t>::max());
    });
    runtime.advance(365.0 * 24 * 3600);
    EXPECT_FALSE(handle.isFinished());
    EXPECT_EQ(runtime.clock().nanosecondsUntilNextTimer(),
              std::numeric_limits<std::uint64_t>::max() - runtime.clock().elapsedNanoseconds());
    handle.cancel();
    runtime.runUntilIdle();
    EXPECT_TRUE(handle.isFinished());
    EXPECT_EQ(runtime.clock().pendingTimerCount(), 0u);
}

TEST_F(SleepTest, YieldInterleavesTasksAndIsNotACancellationPoint) {
    std::vector<std::string> log;
    auto first = Async::spawn([&]() -> Async::Task<void> {
        log.push_back("a1");
        co_await Async::yield();
        log.push_back("a2");
    });
    Async::spawn([&]() -> Async::Task<void> {
        log.push_back("b1");
        co_await Async::yield();
        log.push_back("b2");
    });
    first.cancel();
    runtime.runUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"a1", "b1", "a2", "b2"}));
}
