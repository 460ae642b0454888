#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// Bounds the last steps of a process's teardown: unless it is destroyed
// within `timeout` of its construction, it ends the process at once with
// `status`. For teardown that may wait on work nobody can interrupt, such as
// Qt's host-lookup threads blocked in a resolver that does not answer.
class ExitDeadline {
public:
    ExitDeadline(std::chrono::milliseconds timeout, int status);
    ~ExitDeadline();
    ExitDeadline(const ExitDeadline&) = delete;
    ExitDeadline& operator=(const ExitDeadline&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable disarmed_;
    bool isDisarmed_ = false;
    std::thread watcher_;
};
