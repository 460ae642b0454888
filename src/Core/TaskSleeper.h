#pragma once

#include "Core/SleepProviding.h"

#include <cstdint>

// Sleeps on the task runtime's timers.
class TaskSleeper final : public SleepProviding {
public:
    // Whole nanoseconds of `seconds`, the fraction dropped: 0 for NaN, zero and
    // negative values; the largest count for anything that does not fit.
    static std::uint64_t nanoseconds(double seconds) noexcept;

    // Returns at once, without suspending or looking at cancellation, when the
    // wait is 0 ns; otherwise a cancellable sleep.
    Async::Task<void> sleep(double seconds) override;
};
