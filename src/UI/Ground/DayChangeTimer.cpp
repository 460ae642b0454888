#include "UI/Ground/DayChangeTimer.h"

#include <chrono>

#include <QDateTime>

namespace {

using Nanoseconds = std::chrono::nanoseconds;

// From `now` to the second at which the wall clock in `zone` reads a later
// day. Offsets and their changes fall on whole seconds, so a halving search
// over the next 48 hours, longer than any day, finds it to the second however
// the offset changes; where the clock is set back across midnight, it may
// find either of the two.
Nanoseconds untilNextMidnight(Date now, const TimeZoneOffsets& zone) {
    using std::chrono::seconds;
    const QDate today = zone.wallClock(now).date();
    seconds sameDay = std::chrono::floor<seconds>(now.time_since_epoch());
    seconds laterDay = sameDay + std::chrono::hours(48);
    while (laterDay - sameDay > seconds(1)) {
        const seconds middle = sameDay + (laterDay - sameDay) / 2;
        if (zone.wallClock(Date(middle)).date() > today) {
            laterDay = middle;
        } else {
            sameDay = middle;
        }
    }
    return Date(laterDay) - now;
}

} // namespace

DayChangeTimer::DayChangeTimer(Async::TimerService& timers, DateProvider clock,
                               std::function<void()> onDayChange, TimeZoneProvider timeZone)
    : timers_(timers), clock_(std::move(clock)), onDayChange_(std::move(onDayChange)),
      timeZone_(std::move(timeZone)) {}

DayChangeTimer::~DayChangeTimer() {
    stop();
}

void DayChangeTimer::start() {
    stop();
    const Nanoseconds wait = untilNextMidnight(clock_(), timeZone_());
    timer_ = timers_.schedule(static_cast<std::uint64_t>(wait.count()), [this] { dayChanged(); });
}

void DayChangeTimer::stop() {
    if (timer_) {
        timers_.cancel(*timer_);
        timer_.reset();
    }
}

void DayChangeTimer::dayChanged() {
    timer_.reset();
    start();
    onDayChange_();
}
