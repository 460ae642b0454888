#pragma once

#include <chrono>
#include <memory>

#include <QString>

class AppDelegate;
class ExitDeadline;
class QApplication;
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

    // The folder whose lock marks a running Pelmor: its settings folder, so
    // that each settings folder has its own.
    static QString instanceLockFolder();

    // Runs until the user quits or the process is asked to terminate; the
    // exit status.
    int exec();

private:
    // Arms the teardown's deadline, once: past it the process ends with `status`.
    void armExitDeadline(int status);
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
    std::unique_ptr<ExitDeadline> exitDeadline_;
};
