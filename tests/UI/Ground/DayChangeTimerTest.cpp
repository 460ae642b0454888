#include "UI/Ground/DayChangeTimer.h"

#include "Support/ScopedEnvironmentVariable.h"
#include "Support/TestRuntime.h"

#include <chrono>
#include <gtest/gtest.h>
#include <optional>

#include <QDateTime>

using namespace std::chrono_literals;

// The timer fires once at each local midnight; a zone that is not valid is
// UTC, as for every date text. The system's zone is the C library's reading
// of TZ, where a bare offset counts westward.
TEST(DayChangeTimerTest, FiresOnceADayWhateverTheZone) {
    struct Case {
        // Also the system's zone, TZ, for the case.
        const char* name;
        // None: the timer's own default, the system's zone.
        std::optional<QTimeZone> zone;
        std::chrono::nanoseconds firstWait;
    };
    // The runtime starts at 2026-01-01T00:00:00Z; every case starts 10 h later.
    const Case cases[] = {
        {"UTC", QTimeZone::utc(), 14h},
        {"UTC+03:00", QTimeZone(3 * 3600), 11h},
        {"a zone the database lacks", QTimeZone("Garbage/Zone"), 14h},
        {"no zone at all", QTimeZone(), 14h},
        {"Garbage/Zone", std::nullopt, 14h},
        {"UTC-3", std::nullopt, 11h},
        {"GMT+5", std::nullopt, 19h},
        // Daylight time starts at 23:30 and the clock skips to 00:30: the next
        // day starts then, at 20:30Z.
        {"<+03>-3<+04>,J1/23:30,J365/0", std::nullopt, 10h + 30min},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const ScopedEnvironmentVariable systemZone("TZ", QByteArray(testCase.name));
        TestRuntime runtime;
        runtime.advance(10 * 3600);
        int dayChanges = 0;
        const auto onDayChange = [&] { ++dayChanges; };
        NotificationCenter clockChanges;
        DayChangeTimer timer =
            testCase.zone
                ? DayChangeTimer(runtime.clock(), runtime.clock().dateProvider(), clockChanges,
                                 onDayChange, [&] { return *testCase.zone; })
                : DayChangeTimer(runtime.clock(), runtime.clock().dateProvider(), clockChanges,
                                 onDayChange);

        timer.start();
        ASSERT_EQ(runtime.clock().nanosecondsUntilNextTimer(),
                  static_cast<std::uint64_t>(testCase.firstWait.count()));
        runtime.advance(std::chrono::duration<double>(testCase.firstWait).count() - 0.001);
        EXPECT_EQ(dayChanges, 0);
        runtime.advance(0.001);
        EXPECT_EQ(dayChanges, 1);
        runtime.advance(2 * 24 * 3600);
        EXPECT_EQ(dayChanges, 3);
        EXPECT_TRUE(timer.isRunning());
    }
}

// The wall clock moves against the timers when it is set or the machine
// sleeps; at each change posted the timer is armed for the next midnight by
// the wall clock, and the handler runs at once where the day moved.
TEST(DayChangeTimerTest, AClockChangeArmsItAfreshAndCallsItWhereTheDayMoved) {
    struct Case {
        const char* name;
        // How far the wall clock moves; the change is then posted.
        std::chrono::minutes move;
        int dayChangesAtOnce;
        std::chrono::nanoseconds nextWait;
    };
    // Every case starts at 10:00 UTC, 14 h before midnight.
    const Case cases[] = {
        {"slept or set forward across midnight", 14h + 30min, 1, 23h + 30min},
        {"set back across midnight", -(10h + 30min), 1, 30min},
        {"set forward within the day", 2h, 0, 12h},
        {"set back within the day", -1h, 0, 15h},
        {"woken on the same day", 0min, 0, 14h},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        TestRuntime runtime;
        runtime.advance(10 * 3600);
        int dayChanges = 0;
        NotificationCenter clockChanges;
        DayChangeTimer timer(
            runtime.clock(), runtime.clock().dateProvider(), clockChanges, [&] { ++dayChanges; },
            [] { return QTimeZone::utc(); });
        timer.start();
        runtime.clock().moveWallClock(std::chrono::duration<double>(testCase.move).count());
        clockChanges.post(NotificationCenter::systemClockDidChange);
        EXPECT_EQ(dayChanges, testCase.dayChangesAtOnce);
        EXPECT_EQ(runtime.clock().pendingTimerCount(), 1u);
        EXPECT_EQ(runtime.clock().nanosecondsUntilNextTimer(),
                  static_cast<std::uint64_t>(testCase.nextWait.count()));
        runtime.advance(std::chrono::duration<double>(testCase.nextWait).count());
        EXPECT_EQ(dayChanges, testCase.dayChangesAtOnce + 1);

        timer.stop();
        clockChanges.post(NotificationCenter::systemClockDidChange);
        EXPECT_EQ(runtime.clock().pendingTimerCount(), 0u) << "a stopped timer stays stopped";
    }
}
