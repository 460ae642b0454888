#pragma once

#include "Core/SleepProviding.h"
#include "Platform/Async/CurrentTask.h"
#include "Platform/Async/TaskHandle.h"

#include <memory>

// The polling task of a monitor: poll, then pause the poll interval, until
// cancelled. It polls once even when cancelled before it first runs, checks
// for cancellation after each poll and each pause, and ends silently when a
// pause fails. The task holds its monitor weakly until it runs and strongly
// from then on, so a running loop keeps its monitor alive; the loop is
// cancelled when its owner (the monitor) is destroyed.
class PollingLoop {
public:
    PollingLoop(double pollInterval, std::shared_ptr<SleepProviding> sleeper);
    ~PollingLoop();
    PollingLoop(const PollingLoop&) = delete;
    PollingLoop& operator=(const PollingLoop&) = delete;

    // Starts polling `monitor` (which owns this loop) unless a loop runs.
    template <class Monitor> void start(const std::shared_ptr<Monitor>& monitor) {
        if (task_.isValid()) {
            return;
        }
        task_ = Async::spawn(
            [this, weakMonitor = std::weak_ptr<Monitor>(monitor)]() -> Async::Task<void> {
                const auto monitor = weakMonitor.lock();
                if (!monitor) {
                    co_return;
                }
                while (true) {
                    co_await monitor->pollOnce();
                    if (Async::isCancelled()) {
                        co_return;
                    }
                    const bool paused = co_await pause();
                    if (!paused || Async::isCancelled()) {
                        co_return;
                    }
                }
            });
    }

    void stop();
    bool isRunning() const { return task_.isValid(); }

    double pollInterval() const { return pollInterval_; }
    // Values below 0, and NaN, count as 0.
    void setPollInterval(double seconds);

private:
    // Sleeps the poll interval; false when the sleep failed. A pause of no
    // time still gives up the turn, so a poll that never suspends cannot
    // starve the event loop.
    Async::Task<bool> pause();

    double pollInterval_;
    std::shared_ptr<SleepProviding> sleeper_;
    Async::TaskHandle<void> task_;
};
