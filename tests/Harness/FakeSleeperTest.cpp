#include "Support/FakeSleeper.h"

#include "Platform/Async/CancellationError.h"
#include "Platform/Async/TaskHandle.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>

class FakeSleeperTest : public testing::Test {
protected:
    TestRuntime runtime;
    FakeSleeper sleeper;

    Async::TaskHandle<void> spawnSleep(double seconds) {
        return Async::spawn(
            [this, seconds]() -> Async::Task<void> { co_await sleeper.sleep(seconds); });
    }
};

TEST_F(FakeSleeperTest, RecordsRequestsAndSuspendsUntilReleased) {
    auto first = spawnSleep(0.5);
    auto second = spawnSleep(4.0);
    runtime.advance(3600.0);
    EXPECT_EQ(sleeper.requestedSeconds(), (std::vector<double>{0.5, 4.0}));
    EXPECT_EQ(sleeper.suspendedCount(), 2u);
    EXPECT_FALSE(first.isFinished());
    EXPECT_EQ(sleeper.releaseAll(), 2u);
    runtime.runUntilIdle();
    EXPECT_TRUE(first.isFinished());
    EXPECT_TRUE(second.isFinished());
    EXPECT_EQ(sleeper.suspendedCount(), 0u);
}

TEST_F(FakeSleeperTest, CancellationEndsTheSleepWithTheCancellationError) {
    auto during = spawnSleep(1.0);
    runtime.runUntilIdle();
    during.cancel();
    auto before = spawnSleep(2.0);
    before.cancel();
    runtime.runUntilIdle();
    for (const auto& handle : {during, before}) {
        EXPECT_TRUE(handle.isFinished());
        EXPECT_THROW(
            runtime.runToCompletion([&]() -> Async::Task<void> { co_await handle.join(); }),
            Async::CancellationError);
    }
    EXPECT_EQ(sleeper.requestedSeconds(), (std::vector<double>{1.0, 2.0}));
    EXPECT_EQ(sleeper.suspendedCount(), 0u);
    EXPECT_EQ(sleeper.releaseAll(), 0u);
}
