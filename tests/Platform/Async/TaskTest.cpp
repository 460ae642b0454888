#include "Platform/Async/Task.h"

#include "Platform/Async/CurrentTask.h"
#include "Platform/Async/TaskHandle.h"
#include "Support/Counted.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace {

Async::Task<int> answer(bool& started) {
    started = true;
    co_return 42;
}

Async::Task<int> failing() {
    throw std::runtime_error("inner failure");
    co_return 0;
}

Async::Task<int> addOne(Async::Task<int> inner) {
    co_return (co_await std::move(inner)) + 1;
}

Async::Task<void> holdCounter(Counted) {
    co_return;
}

Async::Task<int> immediate(int value) {
    co_return value;
}

Async::Task<bool> reportsCancellation() {
    co_return Async::isCancelled();
}

} // namespace

class TaskTest : public testing::Test {
protected:
    TestRuntime runtime;
};

TEST_F(TaskTest, BodyRunsOnlyWhenAwaited) {
    bool started = false;
    auto task = answer(started);
    EXPECT_FALSE(started);
    EXPECT_EQ(runtime.runToCompletion(std::move(task)), 42);
    EXPECT_TRUE(started);
}

TEST_F(TaskTest, ValuesAndErrorsCrossNestedAwaits) {
    bool started = false;
    EXPECT_EQ(runtime.runToCompletion(addOne(addOne(answer(started)))), 44);
    try {
        runtime.runToCompletion(addOne(failing()));
        FAIL() << "the inner error was not rethrown";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), "inner failure");
    }
}

TEST_F(TaskTest, DroppingAnUnstartedTaskDestroysItsFrame) {
    int live = 0;
    Counted counter(live);
    {
        auto task = holdCounter(counter);
        EXPECT_EQ(live, 2);
    }
    EXPECT_EQ(live, 1);
}

TEST_F(TaskTest, InlineAwaitSharesTheAwaitingTasksCancellation) {
    auto handle =
        Async::spawn([]() -> Async::Task<bool> { co_return co_await reportsCancellation(); });
    handle.cancel();
    bool innerSawCancellation = false;
    auto check =
        Async::spawn([&]() -> Async::Task<void> { innerSawCancellation = co_await handle.join(); });
    runtime.runUntilIdle();
    EXPECT_TRUE(check.isFinished());
    EXPECT_TRUE(innerSawCancellation);
}

TEST_F(TaskTest, ManySynchronousAwaitsInALoopDoNotGrowTheStack) {
    const auto total = runtime.runToCompletion([]() -> Async::Task<long> {
        long sum = 0;
        for (int index = 0; index < 200'000; ++index) {
            sum += co_await immediate(1);
        }
        co_return sum;
    });
    EXPECT_EQ(total, 200'000);
}
