#include "App/InheritedProcessState.h"
#include "App/PelmorApp.h"
#include "App/QtPlatformChoice.h"
#include "App/TerminationSignalWatcher.h"
#include "Platform/Foundation/SingleInstanceLock.h"

#include <csignal>
#include <cstdio>
#include <optional>

int main(int argc, char* argv[]) {
    InheritedProcessState::openClosedStandardStreams();
    // Before any thread starts: each inherits the mask, as each child does.
    TerminationSignalWatcher::unblockQuittingSignals();
    // Some launchers leave SIGCHLD ignored, and that survives exec: the
    // kernel would then reap every child itself, its exit status lost and its
    // process number free for another while Pelmor may still signal it.
    std::signal(SIGCHLD, SIG_DFL);
    if (const rlim_t openFiles = InheritedProcessState::raiseOpenFileLimit();
        openFiles < PelmorApp::openFilesNeeded) {
        std::fprintf(stderr, "Pelmor needs at least %llu open files; this session allows %llu.\n",
                     static_cast<unsigned long long>(PelmorApp::openFilesNeeded),
                     static_cast<unsigned long long>(openFiles));
        return 1;
    }
    // Without an X display Qt would abort, and on one that never answers it
    // would wait without end: said in one line, before the lock below, which
    // a Pelmor that shows nothing must not hold.
    if (const std::optional<int> status = QtPlatformChoice::apply(argc, argv)) {
        return *status;
    }
    // A session bus that never answers would hold Qt's start, and the lock
    // below with it: said in one line first.
    if (const std::optional<int> status = PelmorApp::refuseASilentSessionBus()) {
        return *status;
    }
    // One Pelmor per settings folder: a second start leaves the running one
    // alone. The lock is let go only after the application has written its
    // settings and ended.
    const auto instanceLock = PelmorApp::lockInstance();
    if (instanceLock->outcome() == SingleInstanceLock::Outcome::heldByAnotherProcess) {
        std::fputs("Pelmor is already running.\n", stderr);
        return 0;
    }
    PelmorApp application(argc, argv);
    return application.exec();
}
