#pragma once

#include "Platform/Async/Task.h"

// Suspends the calling task for a number of seconds. Fails with
// Async::CancellationError when the task is cancelled.
class SleepProviding {
public:
    virtual ~SleepProviding() = default;
    virtual Async::Task<void> sleep(double seconds) = 0;
};
