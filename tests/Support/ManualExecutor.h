#pragma once

#include "Platform/Async/Executor.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

// An executor that runs jobs only when the test says so, on the test's thread.
// Jobs may be posted from any thread.
class ManualExecutor final : public Async::Executor {
public:
    void post(Job job) override;
    void close() override;

    // Runs jobs until none is pending, including jobs posted meanwhile;
    // returns how many ran.
    std::size_t runUntilIdle();

    // Runs the oldest pending job; false when there is none.
    bool runOne();

    std::size_t pendingCount() const;

    // Runs jobs, waiting for jobs posted from other threads, until `condition`
    // holds or `timeout` passes; returns whether it holds.
    bool runUntil(const std::function<bool()>& condition,
                  std::chrono::milliseconds timeout = std::chrono::seconds(10));

private:
    mutable std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<Job> pending_;
    bool isClosed_ = false;
};
