#include "Platform/Async/ThrowingTaskGroup.h"

#include "Platform/Async/CancellationError.h"
#include "Platform/Async/Sleep.h"
#include "Platform/Async/TaskHandle.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr std::uint64_t oneSecond = 1'000'000'000;

Async::Task<int> valueAfter(std::uint64_t seconds, int value) {
    co_await Async::sleep(seconds * oneSecond);
    co_return value;
}

Async::Task<int> failAfter(std::uint64_t seconds) {
    co_await Async::sleep(seconds * oneSecond);
    throw std::runtime_error("child failed");
}

Async::Task<int> sleepRecordingEnd(std::uint64_t seconds, std::vector<std::string>& log) {
    try {
        co_await Async::sleep(seconds * oneSecond);
    } catch (const Async::CancellationError&) {
        log.push_back("cancelled");
        throw;
    }
    log.push_back("completed");
    co_return 0;
}

} // namespace

class ThrowingTaskGroupTest : public testing::Test {
protected:
    TestRuntime runtime;
    std::vector<std::string> log;
};

TEST_F(ThrowingTaskGroupTest, YieldsResultsInCompletionOrder) {
    std::vector<int> order;
    auto handle = Async::spawn([&]() -> Async::Task<void> {
        co_await Async::withThrowingTaskGroup<int>(
            [&](Async::ThrowingTaskGroup<int>& group) -> Async::Task<void> {
                group.addTask(valueAfter(3, 3));
                group.addTask(valueAfter(1, 1));
                group.addTask(valueAfter(2, 2));
                while (auto value = co_await group.next()) {
                    order.push_back(*value);
                }
                EXPECT_TRUE(group.isEmpty());
            });
    });
    runtime.advance(3.0);
    EXPECT_TRUE(handle.isFinished());
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST_F(ThrowingTaskGroupTest, FirstErrorCancelsAndJoinsTheRestBeforeItIsRethrown) {
    auto handle = Async::spawn([&]() -> Async::Task<void> {
        try {
            co_await Async::withThrowingTaskGroup<int>(
                [&](Async::ThrowingTaskGroup<int>& group) -> Async::Task<void> {
                    group.addTask(sleepRecordingEnd(10, log));
                    group.addTask(failAfter(1));
                    group.addTask(sleepRecordingEnd(20, log));
                    while (co_await group.next()) {
                    }
                });
        } catch (const std::runtime_error& error) {
            log.push_back(error.what());
        }
    });
    runtime.advance(1.0);
    EXPECT_TRUE(handle.isFinished());
    EXPECT_EQ(log, (std::vector<std::string>{"cancelled", "cancelled", "child failed"}));
    EXPECT_EQ(runtime.clock().pendingTimerCount(), 0u);
}

TEST_F(ThrowingTaskGroupTest, NormalReturnWaitsForChildrenWithoutCancellingThem) {
    std::optional<int> returned;
    auto handle = Async::spawn([&]() -> Async::Task<void> {
        returned = co_await Async::withThrowingTaskGroup<int>(
            [&](Async::ThrowingTaskGroup<int>& group) -> Async::Task<int> {
                group.addTask(sleepRecordingEnd(5, log));
                co_return 11;
            });
    });
    runtime.advance(4.0);
    EXPECT_FALSE(handle.isFinished());
    runtime.advance(1.0);
    EXPECT_TRUE(handle.isFinished());
    EXPECT_EQ(returned, 11);
    EXPECT_EQ(log, (std::vector<std::string>{"completed"}));
}

TEST_F(ThrowingTaskGroupTest, CancelAllReachesRunningAndLaterChildren) {
    auto handle = Async::spawn([&]() -> Async::Task<void> {
        co_await Async::withThrowingTaskGroup<int>(
            [&](Async::ThrowingTaskGroup<int>& group) -> Async::Task<void> {
                group.addTask(sleepRecordingEnd(10, log));
                co_await Async::yield();
                group.cancelAll();
                group.addTask(sleepRecordingEnd(10, log));
                EXPECT_TRUE(group.isCancelled());
                int failures = 0;
                while (true) {
                    try {
                        if (!co_await group.next()) {
                            break;
                        }
                    } catch (const Async::CancellationError&) {
                        ++failures;
                    }
                }
                EXPECT_EQ(failures, 2);
                EXPECT_FALSE(Async::isCancelled()) << "cancelAll reached the enclosing task";
            });
    });
    runtime.runUntilIdle();
    EXPECT_TRUE(handle.isFinished());
    EXPECT_EQ(log, (std::vector<std::string>{"cancelled", "cancelled"}));
}

TEST_F(ThrowingTaskGroupTest, CancellingTheEnclosingTaskCancelsTheChildren) {
    auto handle = Async::spawn([&]() -> Async::Task<void> {
        co_await Async::withThrowingTaskGroup<int>(
            [&](Async::ThrowingTaskGroup<int>& group) -> Async::Task<void> {
                group.addTask(sleepRecordingEnd(10, log));
                group.addTask(sleepRecordingEnd(10, log));
                while (co_await group.next()) {
                }
            });
    });
    runtime.runUntilIdle();
    handle.cancel();
    runtime.runUntilIdle();
    EXPECT_TRUE(handle.isFinished());
    EXPECT_EQ(log, (std::vector<std::string>{"cancelled", "cancelled"}));
    EXPECT_THROW(runtime.runToCompletion([&]() -> Async::Task<void> { co_await handle.join(); }),
                 Async::CancellationError);
}

TEST_F(ThrowingTaskGroupTest, NextOnAnEmptyGroupYieldsNothing) {
    const bool empty = runtime.runToCompletion([]() -> Async::Task<bool> {
        co_return co_await Async::withThrowingTaskGroup<int>(
            [](Async::ThrowingTaskGroup<int>& group) -> Async::Task<bool> {
                co_return !(co_await group.next()).has_value();
            });
    });
    EXPECT_TRUE(empty);
}
