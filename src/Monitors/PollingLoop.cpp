#include "Monitors/PollingLoop.h"

#include "Core/TaskSleeper.h"
#include "Platform/Async/Sleep.h"

PollingLoop::PollingLoop(double pollInterval, std::shared_ptr<SleepProviding> sleeper)
    : sleeper_(std::move(sleeper)) {
    setPollInterval(pollInterval);
}

PollingLoop::~PollingLoop() {
    stop();
}

void PollingLoop::stop() {
    task_.cancel();
    task_ = {};
}

void PollingLoop::setPollInterval(double seconds) {
    pollInterval_ = seconds > 0 ? seconds : 0;
}

Async::Task<bool> PollingLoop::pause() {
    const double interval = pollInterval_;
    try {
        co_await sleeper_->sleep(interval);
    } catch (...) {
        co_return false;
    }
    if (TaskSleeper::nanoseconds(interval) == 0) {
        co_await Async::yield();
    }
    co_return true;
}
