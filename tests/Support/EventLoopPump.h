#pragma once

#include "Support/TestRuntime.h"

// Drives real I/O under the test runtime: pumps the Qt event loop (sockets,
// Qt timers) and the runtime's executor together until `condition` holds or
// `milliseconds` of real time pass; returns whether it holds.
template <class Condition>
bool pumpUntil(TestRuntime& runtime, Condition condition, int milliseconds = 10'000) {
    return runtime.pumpUntil(condition, milliseconds);
}

// Pumps for `milliseconds` of real time.
inline void pumpFor(TestRuntime& runtime, int milliseconds) {
    pumpUntil(
        runtime, [] { return false; }, milliseconds);
}
