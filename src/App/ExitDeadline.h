#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Bounds a process's teardown: unless it is destroyed by its due time,
// `timeout` after its construction and later by what pauses add, it runs
// `lastStep` on a thread of its own and ends the process at once with its
// status. For teardown that may wait on work nobody can interrupt, such as
// Qt's host-lookup threads blocked in a resolver that does not answer.
class ExitDeadline {
public:
    ExitDeadline(std::chrono::milliseconds timeout, int status, std::function<void()> lastStep);
    ~ExitDeadline();
    ExitDeadline(const ExitDeadline&) = delete;
    ExitDeadline& operator=(const ExitDeadline&) = delete;

    // The status the process ends with past the due time, from now on.
    void setStatus(int status);

    // Stops the deadline's clock while it lives, for up to `bound`: for a step
    // with a bound of its own. The due time moves later by as long as the
    // step took, and by no more.
    class Pause {
    public:
        Pause(ExitDeadline& deadline, std::chrono::milliseconds bound);
        ~Pause();
        Pause(const Pause&) = delete;
        Pause& operator=(const Pause&) = delete;

    private:
        ExitDeadline& deadline_;
        const std::chrono::milliseconds bound_;
        const std::chrono::steady_clock::time_point start_;
    };

private:
    using Clock = std::chrono::steady_clock;

    void moveDueBy(Clock::duration change);
    void watch(const std::function<void()>& lastStep);

    std::mutex mutex_;
    std::condition_variable changed_;
    Clock::time_point due_;
    int status_;
    bool isDisarmed_ = false;
    std::thread watcher_;
};
