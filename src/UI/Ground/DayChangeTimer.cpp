#include "UI/Ground/DayChangeTimer.h"

#include <chrono>

#include <QDateTime>

namespace {

using Nanoseconds = std::chrono::nanoseconds;

// From `now` to the first instant of the next day in `zone` (UTC when it is
// not valid); a whole day's length when that instant is unknown or not ahead
// of `now`.
Nanoseconds untilNextMidnight(Date now, const QTimeZone& zone) {
    using std::chrono::milliseconds;
    constexpr Nanoseconds wholeDay = std::chrono::hours(24);
    const QTimeZone timeZone = validOrUTC(zone);
    const auto sinceEpoch = std::chrono::floor<milliseconds>(now.time_since_epoch()).count();
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(sinceEpoch, timeZone);
    const QDateTime midnight = local.date().addDays(1).startOfDay(timeZone);
    if (!midnight.isValid()) {
        return wholeDay;
    }
    const Nanoseconds wait = Date(milliseconds(midnight.toMSecsSinceEpoch())) - now;
    return wait > Nanoseconds::zero() ? wait : wholeDay;
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
