#include "App/ExitDeadline.h"

#include <algorithm>
#include <unistd.h>
#include <utility>

ExitDeadline::ExitDeadline(std::chrono::milliseconds timeout, int status,
                           std::function<void()> lastStep)
    : due_(Clock::now() + timeout), status_(status) {
    watcher_ = std::thread([this, lastStep = std::move(lastStep)] { watch(lastStep); });
}

void ExitDeadline::setStatus(int status) {
    const std::lock_guard lock(mutex_);
    status_ = status;
}

ExitDeadline::~ExitDeadline() {
    {
        const std::lock_guard lock(mutex_);
        isDisarmed_ = true;
    }
    changed_.notify_one();
    watcher_.join();
}

ExitDeadline::Pause::Pause(ExitDeadline& deadline, std::chrono::milliseconds bound)
    : deadline_(deadline), bound_(bound), start_(Clock::now()) {
    deadline_.moveDueBy(bound_);
}

// Gives back what the step did not take.
ExitDeadline::Pause::~Pause() {
    deadline_.moveDueBy(std::min<Clock::duration>(Clock::now() - start_, bound_) - bound_);
}

void ExitDeadline::moveDueBy(Clock::duration change) {
    {
        const std::lock_guard lock(mutex_);
        due_ += change;
    }
    changed_.notify_one();
}

void ExitDeadline::watch(const std::function<void()>& lastStep) {
    std::unique_lock lock(mutex_);
    while (!isDisarmed_ && Clock::now() < due_) {
        changed_.wait_until(lock, due_);
    }
    if (isDisarmed_) {
        return;
    }
    const int status = status_;
    lock.unlock();
    if (lastStep) {
        lastStep();
    }
    ::_exit(status);
}
