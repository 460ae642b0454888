#pragma once

#include "Core/CurrentTimeZone.h"
#include "Core/DateProvider.h"
#include "Platform/Async/TimerService.h"
#include "Platform/Foundation/NotificationCenter.h"

#include <functional>
#include <optional>

#include <QDate>

// Calls its handler at every local midnight while it runs, by the given clock
// and timers. Each firing arms it again for the next midnight, reading the
// time zone afresh then; a change of zone takes effect from the next firing.
// A day that has no midnight, as where the clock skips past it, starts at the
// first instant that reads as that day. The timers measure durations, which a
// sleep or a setting of the wall clock moves midnight against: at each
// systemClockDidChange posted to `clockChanges` the timer is armed afresh,
// and the handler runs at once where the day is no longer the one it was
// armed on (forwards or back).
class DayChangeTimer {
public:
    using TimeZoneProvider = std::function<TimeZoneOffsets()>;

    // `clockChanges` outlives the timer.
    DayChangeTimer(Async::TimerService& timers, DateProvider clock,
                   NotificationCenter& clockChanges, std::function<void()> onDayChange,
                   TimeZoneProvider timeZone = &currentTimeZone);
    ~DayChangeTimer();
    DayChangeTimer(const DayChangeTimer&) = delete;
    DayChangeTimer& operator=(const DayChangeTimer&) = delete;

    // Arms for the next local midnight; a running timer is armed afresh.
    void start();
    void stop();
    bool isRunning() const { return timer_.has_value(); }

private:
    void arm();
    void disarm();
    void dayChanged();
    void clockChanged();

    Async::TimerService& timers_;
    DateProvider clock_;
    NotificationCenter& clockChanges_;
    std::function<void()> onDayChange_;
    TimeZoneProvider timeZone_;
    std::optional<Async::TimerService::TimerId> timer_;
    std::optional<NotificationCenter::Token> clockObservation_;
    // The local day at the last arming.
    QDate armedDay_;
};
