#include "Support/ManualExecutor.h"

void ManualExecutor::post(Job job) {
    {
        std::lock_guard lock(mutex_);
        if (isClosed_) {
            return;
        }
        pending_.push_back(std::move(job));
    }
    posted_.notify_all();
}

void ManualExecutor::close() {
    std::deque<Job> dropped;
    std::lock_guard lock(mutex_);
    isClosed_ = true;
    dropped.swap(pending_);
}

bool ManualExecutor::runOne() {
    Job job;
    {
        std::lock_guard lock(mutex_);
        if (pending_.empty()) {
            return false;
        }
        job = std::move(pending_.front());
        pending_.pop_front();
    }
    job();
    return true;
}

std::size_t ManualExecutor::runUntilIdle() {
    std::size_t count = 0;
    while (runOne()) {
        ++count;
    }
    return count;
}

std::size_t ManualExecutor::pendingCount() const {
    std::lock_guard lock(mutex_);
    return pending_.size();
}

bool ManualExecutor::runUntil(const std::function<bool()>& condition,
                              std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        runUntilIdle();
        if (condition()) {
            return true;
        }
        std::unique_lock lock(mutex_);
        if (!posted_.wait_until(lock, deadline, [this] { return !pending_.empty(); })) {
            return condition();
        }
    }
}
