#pragma once

#include <sys/types.h>
#include <vector>

#include <QString>

// What /proc says about the processes of this machine.
namespace ProcessTable {

// The processes descended from `ancestor` now: its children, theirs, and so on.
std::vector<pid_t> descendantsOf(pid_t ancestor);

// Whether `pid` exists and has not ended (a zombie has ended).
bool isRunning(pid_t pid);

// The command line of `pid`, its arguments joined by blanks; empty once it has gone.
QString commandLine(pid_t pid);

} // namespace ProcessTable
