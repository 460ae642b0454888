#pragma once

#include <chrono>
#include <sys/types.h>
#include <vector>

#include <QString>

// What /proc says about the processes of this machine.
namespace ProcessTable {

// The processes descended from `ancestor` now: its children, theirs, and so on.
std::vector<pid_t> descendantsOf(pid_t ancestor);

// Whether `pid` exists and has not ended (a zombie has ended).
bool isRunning(pid_t pid);

// The processor time `pid` has used so far, in user and system mode.
std::chrono::milliseconds cpuTime(pid_t pid);

// Whether `pid` ignores the signal `signalNumber`.
bool ignoresSignal(pid_t pid, int signalNumber);

// The command line of `pid`, its arguments joined by blanks; empty once it has gone.
QString commandLine(pid_t pid);

} // namespace ProcessTable
