#include "App/ExitDeadline.h"

#include <unistd.h>

ExitDeadline::ExitDeadline(std::chrono::milliseconds timeout, int status) {
    watcher_ = std::thread([this, timeout, status] {
        std::unique_lock lock(mutex_);
        if (!disarmed_.wait_for(lock, timeout, [this] { return isDisarmed_; })) {
            ::_exit(status);
        }
    });
}

ExitDeadline::~ExitDeadline() {
    {
        const std::lock_guard lock(mutex_);
        isDisarmed_ = true;
    }
    disarmed_.notify_one();
    watcher_.join();
}
