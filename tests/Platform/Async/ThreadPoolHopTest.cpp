#include "Platform/Async/ThreadPoolHop.h"

#include "Platform/Async/TaskHandle.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>
#include <thread>

class ThreadPoolHopTest : public testing::Test {
protected:
    TestRuntime runtime;
};

TEST_F(ThreadPoolHopTest, RunsTheCallOnAPoolThreadAndResumesOnTheMainThread) {
    const auto mainThread = std::this_thread::get_id();
    std::thread::id callThread;
    std::thread::id resumedOn;
    std::optional<int> value;
    auto handle = Async::spawn([&]() -> Async::Task<void> {
        value = co_await Async::runOnThreadPool([&] {
            callThread = std::this_thread::get_id();
            return 21 * 2;
        });
        resumedOn = std::this_thread::get_id();
    });
    ASSERT_TRUE(runtime.executor().runUntil([&] { return handle.isFinished(); }));
    EXPECT_EQ(value, 42);
    EXPECT_NE(callThread, mainThread);
    EXPECT_EQ(resumedOn, mainThread);
}

TEST_F(ThreadPoolHopTest, ExceptionsOfTheCallReachTheTask) {
    bool caught = false;
    auto handle = Async::spawn([&]() -> Async::Task<void> {
        try {
            co_await Async::runOnThreadPool(
                []() -> int { throw std::runtime_error("blocked call failed"); });
        } catch (const std::runtime_error&) {
            caught = true;
        }
    });
    ASSERT_TRUE(runtime.executor().runUntil([&] { return handle.isFinished(); }));
    EXPECT_TRUE(caught);
}
