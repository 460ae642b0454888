#include "Platform/Foundation/WallClockWatcher.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace {

timespec afterNow(std::chrono::nanoseconds interval) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(interval);
    const std::int64_t nanoseconds = now.tv_nsec + (interval - seconds).count();
    now.tv_sec += static_cast<time_t>(seconds.count() + nanoseconds / 1'000'000'000);
    now.tv_nsec = static_cast<long>(nanoseconds % 1'000'000'000);
    return now;
}

} // namespace

WallClockWatcher::WallClockWatcher(NotificationCenter& center,
                                   std::shared_ptr<SleepWakeNotificationCenter> sleepWakeCenter,
                                   std::chrono::nanoseconds recheckInterval)
    : center_(center), sleepWakeCenter_(std::move(sleepWakeCenter)),
      recheckInterval_(std::max(recheckInterval, std::chrono::nanoseconds(1))) {
    if (sleepWakeCenter_) {
        wakeObservation_ =
            sleepWakeCenter_->addObserver(SleepWakeNotification::didWake, [this] { post(); });
    }
    descriptor_ = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (descriptor_ < 0) {
        return;
    }
    notifier_ = new QSocketNotifier(descriptor_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &WallClockWatcher::readClock);
    if (!arm()) {
        closeClock();
    }
}

WallClockWatcher::~WallClockWatcher() {
    if (wakeObservation_) {
        sleepWakeCenter_->removeObserver(*wakeObservation_);
    }
    closeClock();
}

// Absolute, so that a clock set or a resume cancels it: a relative timer
// would not be told.
bool WallClockWatcher::arm() {
    itimerspec deadline{};
    deadline.it_value = afterNow(recheckInterval_);
    return timerfd_settime(descriptor_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &deadline,
                           nullptr) == 0;
}

// May run from the notifier's own signal: it goes on a later turn.
void WallClockWatcher::closeClock() {
    if (notifier_ != nullptr) {
        notifier_->setEnabled(false);
        notifier_->deleteLater();
        notifier_ = nullptr;
    }
    if (descriptor_ >= 0) {
        close(descriptor_);
        descriptor_ = -1;
    }
}

// A read fails with ECANCELED where the clock was set (or the system
// resumed), and gives the count of expiries where the deadline passed: both
// leave the timer disarmed and are a moment to look at the clock again.
void WallClockWatcher::readClock() {
    std::uint64_t expiries = 0;
    if (read(descriptor_, &expiries, sizeof expiries) < 0 && errno != ECANCELED) {
        return;
    }
    if (!arm()) {
        closeClock();
    }
    post();
}

void WallClockWatcher::post() {
    center_.post(NotificationCenter::systemClockDidChange);
}
