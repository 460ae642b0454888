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
                               NotificationCenter& clockChanges, std::function<void()> onDayChange,
                               TimeZoneProvider timeZone)
    : timers_(timers), clock_(std::move(clock)), clockChanges_(clockChanges),
      onDayChange_(std::move(onDayChange)), timeZone_(std::move(timeZone)) {}

DayChangeTimer::~DayChangeTimer() {
    stop();
}

void DayChangeTimer::start() {
    stop();
    arm();
    clockObservation_ = clockChanges_.addObserver(NotificationCenter::systemClockDidChange,
                                                  [this] { clockChanged(); });
}

void DayChangeTimer::stop() {
    disarm();
    if (clockObservation_) {
        clockChanges_.removeObserver(*clockObservation_);
        clockObservation_.reset();
    }
}

void DayChangeTimer::arm() {
    const Date now = clock_();
    const TimeZoneOffsets zone = timeZone_();
    armedDay_ = zone.wallClock(now).date();
    const Nanoseconds wait = untilNextMidnight(now, zone);
    timer_ = timers_.schedule(static_cast<std::uint64_t>(wait.count()), [this] { dayChanged(); });
}

void DayChangeTimer::disarm() {
    if (timer_) {
        timers_.cancel(*timer_);
        timer_.reset();
    }
}

void DayChangeTimer::dayChanged() {
    timer_.reset();
    arm();
    onDayChange_();
}

void DayChangeTimer::clockChanged() {
    const QDate before = armedDay_;
    disarm();
    arm();
    if (armedDay_ != before) {
        onDayChange_();
    }
}
