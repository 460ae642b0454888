#include "Platform/Async/EventLoopTimerService.h"

#include <gtest/gtest.h>
#include <limits>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

namespace {
void processEventsFor(int milliseconds) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
}
} // namespace

TEST(EventLoopTimerServiceTest, FiresOnceAndNotBeforeItsTime) {
    Async::EventLoopTimerService timers;
    int fired = 0;
    QElapsedTimer elapsed;
    elapsed.start();
    qint64 firedAfter = -1;
    timers.schedule(20'000'000, [&] {
        ++fired;
        firedAfter = elapsed.elapsed();
    });
    processEventsFor(200);
    EXPECT_EQ(fired, 1);
    EXPECT_GE(firedAfter, 20);
}

TEST(EventLoopTimerServiceTest, SubMillisecondWaitsStillFire) {
    Async::EventLoopTimerService timers;
    bool fired = false;
    timers.schedule(1, [&] { fired = true; });
    processEventsFor(100);
    EXPECT_TRUE(fired);
}

TEST(EventLoopTimerServiceTest, CancelledTimersNeverFire) {
    Async::EventLoopTimerService timers;
    int fired = 0;
    const auto first = timers.schedule(5'000'000, [&] { ++fired; });
    timers.schedule(5'000'000, [&] { ++fired; });
    timers.schedule(std::numeric_limits<std::uint64_t>::max(), [&] { ++fired; });
    timers.cancel(first);
    timers.cancel(first);
    processEventsFor(100);
    EXPECT_EQ(fired, 1);
    timers.cancelAll();
    processEventsFor(20);
    EXPECT_EQ(fired, 1);
}
