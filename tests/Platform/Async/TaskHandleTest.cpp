#include "Platform/Async/TaskHandle.h"

#include "Platform/Async/CancellationError.h"
#include "Platform/Async/Continuation.h"
#include "Platform/Async/CurrentTask.h"
#include "Platform/Async/Sleep.h"
#include "Support/Counted.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <thread>

namespace {
constexpr std::uint64_t oneSecond = 1'000'000'000;
}

class TaskHandleTest : public testing::Test {
protected:
    TestRuntime runtime;
};

TEST_F(TaskHandleTest, SpawnedTaskStartsOnALaterTurnNeverInline) {
    bool ran = false;
    auto handle = Async::spawn([&]() -> Async::Task<void> {
        ran = true;
        co_return;
    });
    EXPECT_FALSE(ran);
    EXPECT_EQ(runtime.executor().pendingCount(), 1u);
    runtime.runUntilIdle();
    EXPECT_TRUE(ran);
    EXPECT_TRUE(handle.isFinished());
}

TEST_F(TaskHandleTest, DroppingTheHandleNeitherCancelsNorDestroysTheTask) {
    bool finished = false;
    int live = 0;
    Counted counter(live);
    Async::spawn([&, counter]() -> Async::Task<void> {
        co_await Async::sleep(oneSecond);
        finished = !Async::isCancelled();
    });
    runtime.runUntilIdle();
    EXPECT_EQ(runtime.runtime().liveTaskCount(), 1u);
    runtime.advance(1.0);
    EXPECT_TRUE(finished);
    EXPECT_EQ(runtime.runtime().liveTaskCount(), 0u);
    EXPECT_EQ(live, 1) << "the task's captures were not released when it ended";
}

TEST_F(TaskHandleTest, JoinDeliversTheValueOrTheErrorToEveryJoiner) {
    auto producer = Async::spawn([]() -> Async::Task<int> {
        co_await Async::sleep(oneSecond);
        co_return 7;
    });
    int first = 0;
    int second = 0;
    Async::spawn([&]() -> Async::Task<void> { first = co_await producer.join(); });
    Async::spawn([&]() -> Async::Task<void> { second = co_await producer.join(); });
    runtime.advance(1.0);
    EXPECT_EQ(first, 7);
    EXPECT_EQ(second, 7);
    // A join after the end is answered at once.
    EXPECT_EQ(
        runtime.runToCompletion([&]() -> Async::Task<int> { co_return co_await producer.join(); }),
        7);

    auto failing = Async::spawn([]() -> Async::Task<int> {
        throw std::runtime_error("broken");
        co_return 0;
    });
    EXPECT_THROW(
        runtime.runToCompletion([&]() -> Async::Task<int> { co_return co_await failing.join(); }),
        std::runtime_error);
}

TEST_F(TaskHandleTest, CancelBeforeStartStillRunsTheBodyUpToItsFirstCancellationPoint) {
    bool reachedBody = false;
    bool passedSleep = false;
    auto handle = Async::spawn([&]() -> Async::Task<void> {
        reachedBody = true;
        co_await Async::sleep(oneSecond);
        passedSleep = true;
    });
    handle.cancel();
    EXPECT_TRUE(handle.isCancelled());
    runtime.runUntilIdle();
    EXPECT_TRUE(reachedBody);
    EXPECT_FALSE(passedSleep);
    EXPECT_TRUE(handle.isFinished());
    EXPECT_EQ(runtime.clock().pendingTimerCount(), 0u);
    EXPECT_THROW(runtime.runToCompletion([&]() -> Async::Task<void> { co_await handle.join(); }),
                 Async::CancellationError);
}

TEST_F(TaskHandleTest, CancelDuringASleepResumesTheTaskOnALaterTurnOnly) {
    bool sawCancellation = false;
    auto handle = Async::spawn([&]() -> Async::Task<void> {
        try {
            co_await Async::sleep(10 * oneSecond);
        } catch (const Async::CancellationError&) {
            sawCancellation = true;
        }
    });
    runtime.runUntilIdle();
    handle.cancel();
    EXPECT_FALSE(sawCancellation) << "cancel() resumed the task inline";
    EXPECT_EQ(runtime.executor().pendingCount(), 1u);
    runtime.runUntilIdle();
    EXPECT_TRUE(sawCancellation);
    EXPECT_TRUE(handle.isFinished());
    EXPECT_EQ(runtime.clock().pendingTimerCount(), 0u)
        << "the cancelled sleep left its timer behind";
}

TEST_F(TaskHandleTest, CancelFromAnotherThreadEndsTheSleepOnTheMainThread) {
    std::thread::id resumedOn;
    auto handle = Async::spawn([&]() -> Async::Task<void> {
        try {
            co_await Async::sleep(3600 * oneSecond);
        } catch (const Async::CancellationError&) {
            resumedOn = std::this_thread::get_id();
        }
    });
    runtime.runUntilIdle();
    std::thread canceller([handle] { handle.cancel(); });
    canceller.join();
    ASSERT_TRUE(runtime.executor().runUntil([&] { return handle.isFinished(); }));
    EXPECT_EQ(resumedOn, std::this_thread::get_id());
}

TEST_F(TaskHandleTest, JoinIsNotACancellationPoint) {
    auto slow = Async::spawn([]() -> Async::Task<int> {
        co_await Async::sleep(5 * oneSecond);
        co_return 3;
    });
    std::optional<int> joined;
    auto waiter = Async::spawn([&]() -> Async::Task<void> { joined = co_await slow.join(); });
    runtime.runUntilIdle();
    waiter.cancel();
    runtime.runUntilIdle();
    EXPECT_FALSE(waiter.isFinished()) << "cancelling the waiter ended its join";
    runtime.advance(5.0);
    EXPECT_EQ(joined, 3);
}

TEST_F(TaskHandleTest, ATaskMayClearItsOwnHandleWhileRunning) {
    std::optional<Async::TaskHandle<void>> running;
    bool finished = false;
    running = Async::spawn([&]() -> Async::Task<void> {
        co_await Async::sleep(oneSecond);
        running.reset();
        co_await Async::yield();
        finished = true;
    });
    runtime.advance(1.0);
    EXPECT_FALSE(running.has_value());
    EXPECT_TRUE(finished);
}

TEST_F(TaskHandleTest, CancelledTasksReleaseTheirFramesAndCaptures) {
    int live = 0;
    Counted counter(live);
    auto handle =
        Async::spawn([counter]() -> Async::Task<void> { co_await Async::sleep(60 * oneSecond); });
    runtime.runUntilIdle();
    EXPECT_EQ(live, 2);
    handle.cancel();
    runtime.runUntilIdle();
    EXPECT_EQ(live, 1);
    EXPECT_EQ(runtime.runtime().liveTaskCount(), 0u);
}

TEST_F(TaskHandleTest, TasksSpawnedFromAnotherThreadRunOnTheExecutorsThread) {
    std::thread::id ranOn;
    std::optional<Async::TaskHandle<void>> handle;
    std::thread spawner([&] {
        handle = Async::spawn([&]() -> Async::Task<void> {
            ranOn = std::this_thread::get_id();
            co_return;
        });
    });
    spawner.join();
    ASSERT_TRUE(runtime.executor().runUntil([&] { return handle->isFinished(); }));
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_EQ(runtime.runtime().liveTaskCount(), 0u);
}
