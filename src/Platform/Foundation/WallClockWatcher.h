#pragma once

#include "Platform/Foundation/NotificationCenter.h"
#include "Platform/Power/SleepWakeNotificationCenter.h"

#include <chrono>
#include <memory>
#include <optional>

#include <QObject>

class QSocketNotifier;

// Posts NotificationCenter::systemClockDidChange on the main thread whenever
// the wall clock may have moved against the monotonic clock, for the timers
// that wait on the monotonic clock for a wall-clock time (midnight). Its
// source is a timerfd on CLOCK_REALTIME armed at an absolute time with
// TFD_TIMER_CANCEL_ON_SET, which the kernel cancels when the clock is set and
// at every resume from a suspend. Each wake the sleep-wake centre posts
// counts too, and so does the timer's own deadline, `recheckInterval` after
// each arming: it bounds how far a slowly slewed clock drifts unnoticed.
// Without a timerfd only the wakes are posted.
class WallClockWatcher final : public QObject {
public:
    static constexpr std::chrono::nanoseconds defaultRecheckInterval = std::chrono::hours(1);

    // `sleepWakeCenter` may be null: no wakes are posted then.
    WallClockWatcher(NotificationCenter& center,
                     std::shared_ptr<SleepWakeNotificationCenter> sleepWakeCenter,
                     std::chrono::nanoseconds recheckInterval = defaultRecheckInterval);
    ~WallClockWatcher() override;
    WallClockWatcher(const WallClockWatcher&) = delete;
    WallClockWatcher& operator=(const WallClockWatcher&) = delete;

    // Whether the timerfd is armed and read.
    bool isWatchingClock() const { return descriptor_ >= 0; }

private:
    bool arm();
    void closeClock();
    void readClock();
    void post();

    NotificationCenter& center_;
    std::shared_ptr<SleepWakeNotificationCenter> sleepWakeCenter_;
    std::optional<SleepWakeNotificationCenter::ObserverToken> wakeObservation_;
    std::chrono::nanoseconds recheckInterval_;
    int descriptor_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};
