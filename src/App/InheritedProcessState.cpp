#include "App/InheritedProcessState.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace InheritedProcessState {

// The lowest free number is the one an open takes: the streams are checked in
// order, so each open lands on the stream found closed.
void openClosedStandardStreams() {
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(stream, F_GETFD) != -1 || errno != EBADF) {
            continue;
        }
        const int opened = ::open("/dev/null", O_RDWR);
        if (opened > stream) {
            ::dup2(opened, stream);
            ::close(opened);
        }
    }
}

rlim_t raiseOpenFileLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) {
        return RLIM_INFINITY;
    }
    if (limit.rlim_cur < limit.rlim_max) {
        const rlimit raised{limit.rlim_max, limit.rlim_max};
        if (::setrlimit(RLIMIT_NOFILE, &raised) == 0) {
            limit.rlim_cur = limit.rlim_max;
        }
    }
    return limit.rlim_cur;
}

} // namespace InheritedProcessState
