#pragma once

#include "App/ExitDeadline.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <sys/resource.h>

class AppDelegate;
class QApplication;
class SingleInstanceLock;
class TerminationSignalWatcher;

namespace Async {
class Runtime;
}

// The application: the Qt application on the main thread, the task runtime
// over its event loop, and the delegate that builds and runs everything else.
class PelmorApp {
public:
    PelmorApp(int& argc, char** argv);
    ~PelmorApp();
    PelmorApp(const PelmorApp&) = delete;
    PelmorApp& operator=(const PelmorApp&) = delete;

    // Qt connects to the session bus as it starts, and waits for good on one
    // that takes connections but never answers (a hung or stopped daemon):
    // where the bus does not answer within a bound of its own, says so in
    // one line; the status to end with. For the start, before the instance
    // lock, so that no Pelmor that shows nothing holds it.
    static std::optional<int> refuseASilentSessionBus();

    // Locks the folder that marks a running Pelmor: its settings folder, so
    // that each settings folder has its own. Where that folder cannot be made,
    // says so once and locks one in the runtime folder instead, which every
    // such start shares.
    static std::unique_ptr<SingleInstanceLock> lockInstance();

    // The open files Pelmor needs: twice the most it was seen to hold (54,
    // with the popover and every tool window open, a scan and a speed test
    // running, and an accessibility bus), rounded up. With too few, GLib
    // aborts the process as soon as it cannot make a wake-up pipe.
    static constexpr rlim_t openFilesNeeded = 128;

    // Runs until the user quits or the process is asked to terminate; the
    // exit status.
    int exec();

private:
    // Arms the teardown's deadline, once: past it the process ends with
    // `status`. Armed already, it keeps its due time and ends with `status`.
    // From any thread.
    void armExitDeadline(int status);
    void handOverTheClipboard();
    void quitWhenTheSessionBusEnds();

    // The whole teardown, from the delegate's termination to Qt's destruction.
    static constexpr std::chrono::milliseconds teardownTimeout{1000};
    // Pelmor quits with status 0; a lost display ends it with the status Qt's
    // X platform gives.
    static constexpr int displayLostStatus = 1;
    // Added to the teardown's only while Pelmor owns the clipboard and waits
    // for a clipboard manager to take it.
    static constexpr std::chrono::milliseconds clipboardHandoverTimeout{3000};

    std::unique_ptr<QApplication> application_;
    std::unique_ptr<Async::Runtime> runtime_;
    std::unique_ptr<TerminationSignalWatcher> terminationWatcher_;
    std::shared_ptr<AppDelegate> delegate_;
    std::mutex exitDeadlineMutex_;
    std::unique_ptr<ExitDeadline> exitDeadline_;
    std::optional<ExitDeadline::Pause> clipboardHandoverPause_;
};
