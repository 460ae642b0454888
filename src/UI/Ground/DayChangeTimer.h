#pragma once

#include "Core/CurrentTimeZone.h"
#include "Core/DateProvider.h"
#include "Platform/Async/TimerService.h"

#include <functional>
#include <optional>

// Calls its handler at every local midnight while it runs, by the given clock
// and timers. Each firing arms it again for the next midnight, reading the
// time zone afresh then; a change of zone takes effect from the next firing.
// A day that has no midnight, as where the clock skips past it, starts at the
// first instant that reads as that day.
class DayChangeTimer {
public:
    using TimeZoneProvider = std::function<TimeZoneOffsets()>;

    DayChangeTimer(Async::TimerService& timers, DateProvider clock,
                   std::function<void()> onDayChange, TimeZoneProvider timeZone = &currentTimeZone);
    ~DayChangeTimer();
    DayChangeTimer(const DayChangeTimer&) = delete;
    DayChangeTimer& operator=(const DayChangeTimer&) = delete;

    // Arms for the next local midnight; a running timer is armed afresh.
    void start();
    void stop();
    bool isRunning() const { return timer_.has_value(); }

private:
    void dayChanged();

    Async::TimerService& timers_;
    DateProvider clock_;
    std::function<void()> onDayChange_;
    TimeZoneProvider timeZone_;
    std::optional<Async::TimerService::TimerId> timer_;
};
