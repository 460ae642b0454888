#include "Platform/Async/Runtime.h"

#include "Platform/Async/Continuation.h"
#include "Platform/Async/Sleep.h"
#include "Platform/Async/TaskHandle.h"
#include "Support/Counted.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>

TEST(RuntimeTest, OnlyOneRuntimeIsInstalledAtATime) {
    EXPECT_FALSE(Async::Runtime::isInstalled());
    EXPECT_THROW(Async::Runtime::current(), std::logic_error);
    {
        TestRuntime first;
        EXPECT_TRUE(Async::Runtime::isInstalled());
        EXPECT_EQ(&Async::Runtime::current(), &first.runtime());
        EXPECT_THROW(TestRuntime second, std::logic_error);
    }
    EXPECT_FALSE(Async::Runtime::isInstalled());
}

TEST(RuntimeTest, TasksStillSuspendedAreDestroyedWithTheRuntime) {
    int live = 0;
    Counted counter(live);
    std::optional<Async::Continuation<void>> neverResumed;
    {
        TestRuntime runtime;
        Async::spawn([&, counter]() -> Async::Task<void> {
            co_await Async::withContinuation<void>(
                [&](Async::Continuation<void> continuation) { neverResumed = continuation; });
        });
        Async::spawn([counter]() -> Async::Task<void> { co_await Async::sleep(1'000'000'000); });
        runtime.runUntilIdle();
        EXPECT_EQ(runtime.runtime().liveTaskCount(), 2u);
        EXPECT_EQ(live, 3);
    }
    EXPECT_EQ(live, 1);
    // A late resume after shutdown goes to the closed executor and is dropped.
    ASSERT_TRUE(neverResumed.has_value());
    EXPECT_TRUE(neverResumed->resume());
}

TEST(RuntimeTest, PendingStartsAreDroppedAtShutdown) {
    bool ran = false;
    {
        TestRuntime runtime;
        Async::spawn([&]() -> Async::Task<void> {
            ran = true;
            co_return;
        });
    }
    EXPECT_FALSE(ran);
}
