#pragma once

#include "Core/DateProvider.h"
#include "Platform/Async/TimerService.h"

#include <functional>
#include <optional>

// Calls its handler at every local midnight while it runs, by the given clock
// and timers. Each call arms it again for the next midnight, found afresh in
// the system time zone, so that a change of zone or of daylight saving time
// is followed.
class DayChangeTimer {
public:
    DayChangeTimer(Async::TimerService& timers, DateProvider clock,
                   std::function<void()> onDayChange);
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
    std::optional<Async::TimerService::TimerId> timer_;
};
