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
        DayChangeTimer timer =
            testCase.zone
                ? DayChangeTimer(runtime.clock(), runtime.clock().dateProvider(), onDayChange,
                                 [&] { return *testCase.zone; })
                : DayChangeTimer(runtime.clock(), runtime.clock().dateProvider(), onDayChange);

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
