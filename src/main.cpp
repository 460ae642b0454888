#include "App/PelmorApp.h"
#include "App/QtPlatformChoice.h"
#include "Platform/Foundation/SingleInstanceLock.h"

#include <csignal>
#include <cstdio>

int main(int argc, char* argv[]) {
    // Some launchers leave SIGCHLD ignored, and that survives exec: the
    // kernel would then reap every child itself, its exit status lost and its
    // process number free for another while Pelmor may still signal it.
    std::signal(SIGCHLD, SIG_DFL);
    // One Pelmor per settings folder: a second start leaves the running one
    // alone. The lock is let go only after the application has written its
    // settings and ended.
    const SingleInstanceLock instanceLock(PelmorApp::instanceLockFolder());
    if (instanceLock.outcome() == SingleInstanceLock::Outcome::heldByAnotherProcess) {
        std::fputs("Pelmor is already running.\n", stderr);
        return 0;
    }
    QtPlatformChoice::apply(argc, argv);
    PelmorApp application(argc, argv);
    return application.exec();
}
