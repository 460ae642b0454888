#pragma once

#include <sys/resource.h>

// What a process inherits from whoever started it and Pelmor depends on,
// made sound at the very start, before anything is opened.
namespace InheritedProcessState {

// Opens /dev/null on each standard stream that is closed, so that nothing
// opened later takes its number: what is written to standard error would
// otherwise go into that file or connection (an X connection, for one).
void openClosedStandardStreams();

// Raises the soft limit of open files to the hard limit; the limit then in
// force.
rlim_t raiseOpenFileLimit();

} // namespace InheritedProcessState
