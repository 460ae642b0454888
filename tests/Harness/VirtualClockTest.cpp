#include "Support/VirtualClock.h"

#include "Support/ManualExecutor.h"

#include <gtest/gtest.h>
#include <limits>
#include <vector>

class VirtualClockTest : public testing::Test {
protected:
    ManualExecutor executor;
    VirtualClock clock{executor, Date(std::chrono::seconds(1000))};
};

TEST_F(VirtualClockTest, FiresTimersInDeadlineOrderAtTheirOwnInstants) {
    std::vector<std::pair<int, Date>> fired;
    clock.schedule(2'000'000'000, [&] { fired.emplace_back(2, clock.now()); });
    clock.schedule(1'000'000'000, [&] { fired.emplace_back(1, clock.now()); });
    clock.schedule(1'000'000'000, [&] { fired.emplace_back(3, clock.now()); });
    clock.advance(1.5);
    ASSERT_EQ(fired.size(), 2u);
    EXPECT_EQ(fired[0], std::make_pair(1, Date(std::chrono::seconds(1001))));
    EXPECT_EQ(fired[1].first, 3) << "equal deadlines fire in scheduling order";
    EXPECT_EQ(clock.now(), Date(std::chrono::milliseconds(1'001'500)));
    clock.advance(0.5);
    EXPECT_EQ(fired.back(), std::make_pair(2, Date(std::chrono::seconds(1002))));
}

TEST_F(VirtualClockTest, RunsTheExecutorBetweenTimersSoJobsCanScheduleEarlierOnes) {
    std::vector<int> order;
    clock.schedule(1'000'000'000, [&] {
        order.push_back(1);
        executor.post([&] { clock.schedule(500'000'000, [&] { order.push_back(2); }); });
    });
    clock.schedule(2'000'000'000, [&] { order.push_back(3); });
    clock.advance(5.0);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST_F(VirtualClockTest, CancelledTimersDoNotFireAndHugeDeadlinesSaturate) {
    int fired = 0;
    const auto timer = clock.schedule(10, [&] { ++fired; });
    clock.schedule(std::numeric_limits<std::uint64_t>::max(), [&] { ++fired; });
    clock.cancel(timer);
    clock.advance(1e9);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(clock.pendingTimerCount(), 1u);
    clock.cancelAll();
    EXPECT_FALSE(clock.fireNext());
}

// A clock set or a sleep: the wall clock jumps, the timers wait as long as before.
TEST_F(VirtualClockTest, MovingTheWallClockLeavesTheTimersWhereTheyWere) {
    int fired = 0;
    clock.schedule(2'000'000'000, [&] { ++fired; });
    clock.moveWallClock(3600);
    EXPECT_EQ(clock.now(), Date(std::chrono::seconds(4600)));
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(clock.nanosecondsUntilNextTimer(), 2'000'000'000u);
    clock.moveWallClock(-3600.5);
    EXPECT_EQ(clock.now(), Date(std::chrono::milliseconds(999'500)));
    clock.advance(2);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(clock.now(), Date(std::chrono::milliseconds(1'001'500)));
}
