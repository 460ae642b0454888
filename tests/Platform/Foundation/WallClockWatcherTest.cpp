#include "Platform/Foundation/WallClockWatcher.h"

#include "Support/EventLoopWait.h"

#include <chrono>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

// The clock's own deadline: the timerfd, armed at an absolute wall-clock
// time, fires there, is read on the main thread and is armed again. (A clock
// set, the other way the timerfd reports, cannot be made here without
// setting this machine's clock; it takes the same path through the read.)
TEST(WallClockWatcherTest, PostsAtEachAbsoluteDeadlineAndArmsAgain) {
    NotificationCenter center;
    int posts = 0;
    center.addObserver(NotificationCenter::systemClockDidChange, [&] { ++posts; });
    const WallClockWatcher watcher(center, nullptr, 20ms);
    ASSERT_TRUE(watcher.isWatchingClock());
    EXPECT_EQ(posts, 0);
    EXPECT_TRUE(processEventsUntil([&] { return posts >= 3; }, 5'000)) << posts << " posts";
    EXPECT_TRUE(watcher.isWatchingClock());
}

// Every wake is posted at once, whatever the timerfd does; a watcher that
// is gone posts nothing and leaves no registration behind.
TEST(WallClockWatcherTest, PostsEachWakeWhileItLives) {
    NotificationCenter center;
    int posts = 0;
    center.addObserver(NotificationCenter::systemClockDidChange, [&] { ++posts; });
    const auto sleepWake = std::make_shared<SleepWakeNotificationCenter>();
    {
        const WallClockWatcher watcher(center, sleepWake);
        sleepWake->post(SleepWakeNotification::willSleep);
        EXPECT_EQ(posts, 0);
        sleepWake->post(SleepWakeNotification::didWake);
        sleepWake->post(SleepWakeNotification::didWake);
        EXPECT_EQ(posts, 2);
    }
    sleepWake->post(SleepWakeNotification::didWake);
    EXPECT_EQ(posts, 2);
    EXPECT_EQ(sleepWake->observerCount(), 0u);
}
