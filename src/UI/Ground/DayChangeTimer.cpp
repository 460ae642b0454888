#include "UI/Ground/DayChangeTimer.h"

#include <algorithm>
#include <chrono>

#include <QDateTime>
#include <QTimeZone>

namespace {

// The first instant of the day after the one `now` falls in, in `timeZone`.
Date nextMidnight(Date now, const QTimeZone& timeZone) {
    using std::chrono::milliseconds;
    const auto sinceEpoch = std::chrono::floor<milliseconds>(now.time_since_epoch()).count();
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(sinceEpoch, timeZone);
    const QDateTime midnight = local.date().addDays(1).startOfDay(timeZone);
    return Date(milliseconds(midnight.toMSecsSinceEpoch()));
}

} // namespace

DayChangeTimer::DayChangeTimer(Async::TimerService& timers, DateProvider clock,
                               std::function<void()> onDayChange)
    : timers_(timers), clock_(std::move(clock)), onDayChange_(std::move(onDayChange)) {}

DayChangeTimer::~DayChangeTimer() {
    stop();
}

void DayChangeTimer::start() {
    stop();
    const Date now = clock_();
    const auto wait = std::chrono::duration_cast<std::chrono::nanoseconds>(
        nextMidnight(now, QTimeZone::systemTimeZone()) - now);
    timer_ = timers_.schedule(static_cast<std::uint64_t>(std::max<std::int64_t>(1, wait.count())),
                              [this] { dayChanged(); });
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
