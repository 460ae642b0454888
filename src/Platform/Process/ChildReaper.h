#pragma once

#include <chrono>
#include <sys/types.h>

// Reaps children that have ended, a moment after they ended. Reaping a child
// at once can cost the reaper milliseconds of kernel time: when the child's
// threads were looked up under /proc (a program that names its threads does
// that, the host's dig among them), the kernel spins until the exiting
// threads have let go of those entries. A few milliseconds later the same
// reap costs microseconds. Children whose grace has passed are reaped when
// the next one is handed over, so that a steady stream of children costs no
// wake-up of its own; what is left is reaped once none has come for
// `idleDelay`. A child handed over while it still runs (killed, and not yet
// ended) is tried again every `idleDelay` until it has ended: nothing here
// ever waits for a child. Main thread only; without an application object
// the child is reaped at once if it has ended, and left to the system (the
// process is ending) if not.
namespace ChildReaper {

inline constexpr std::chrono::milliseconds grace{50};
inline constexpr std::chrono::milliseconds idleDelay{1000};

// `pid` must be a child that has not been reaped: ended, or killed.
void reapLater(pid_t pid);

// Children handed over and not yet reaped.
int pendingCount();

} // namespace ChildReaper
