#pragma once

#include "Core/TaskSleeper.h"
#include "Platform/Async/CancellationError.h"
#include "Platform/Async/Sleep.h"
#include "Platform/Async/Task.h"

// How a scripted probe takes its time: waits `seconds` on the runtime's
// (virtual) clock and gives false when the calling task is cancelled first or
// meanwhile, so that the probe can answer with a failed measurement, as the
// real probes do. No time answers at once, without looking at cancellation.
inline Async::Task<bool> waitToAnswer(double seconds) {
    if (seconds <= 0) {
        co_return true;
    }
    try {
        co_await Async::sleep(TaskSleeper::nanoseconds(seconds));
    } catch (const Async::CancellationError&) {
        co_return false;
    }
    co_return true;
}
