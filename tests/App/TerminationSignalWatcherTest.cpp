#include "App/TerminationSignalWatcher.h"

#include "Support/EventLoopWait.h"

#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace {

// Starts the real application offscreen, in a network namespace of its own
// (nothing it sends leaves the machine), waits until it runs its event loop,
// then sends it a signal and reports how it ended.
struct Ending {
    QProcess::ExitStatus status;
    int exitCode;
};

Ending startAndSignal(int signalNumber) {
    QProcess application;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Its preferences go to a folder of the test's own.
    static QTemporaryDir configHome;
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome.path());
    application.setProcessEnvironment(environment);
    // Not ignored, whatever this test's own launcher left ignored.
    application.setChildProcessModifier([signalNumber] { std::signal(signalNumber, SIG_DFL); });
    application.start(QStringLiteral(PELMOR_ISOLATED_NETWORK), {QStringLiteral(PELMOR_EXECUTABLE)});
    EXPECT_TRUE(application.waitForStarted(10000));
    // Still running after a while: it did not exit on its own.
    EXPECT_FALSE(application.waitForFinished(1500));
    ::kill(static_cast<pid_t>(application.processId()), signalNumber);
    EXPECT_TRUE(application.waitForFinished(2000)) << "still running 2 s after the signal";
    return {application.exitStatus(), application.exitCode()};
}

void (*handlerOf(int signalNumber))(int) {
    struct sigaction action {};
    ::sigaction(signalNumber, nullptr, &action);
    return action.sa_handler;
}

void ownHandler(int) {}

} // namespace

// A closing terminal's SIGHUP quits as TERM and INT do.
TEST(TerminationSignalWatcherTest, EachQuittingSignalQuitsTheApplicationWithStatusZero) {
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        const auto ending = startAndSignal(signalNumber);
        EXPECT_EQ(ending.status, QProcess::NormalExit);
        EXPECT_EQ(ending.exitCode, 0);
    }
}

// A quitting signal that was ignored when the watcher started (as nohup
// leaves SIGHUP) stays ignored and quits nothing; once the watcher has gone,
// each signal does what it did before.
TEST(TerminationSignalWatcherTest, LeavesIgnoredSignalsIgnoredAndPutsBackWhatItFound) {
    const std::pair<const char*, void (*)(int)> foundActions[] = {
        {"ignored", SIG_IGN}, {"default", SIG_DFL}, {"a handler", ownHandler}};
    for (const auto& [name, found] : foundActions) {
        for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
            SCOPED_TRACE(testing::Message() << name << ", signal " << signalNumber);
            std::signal(signalNumber, found);
            int requests = 0;
            {
                TerminationSignalWatcher watcher;
                QObject::connect(&watcher, &TerminationSignalWatcher::terminationRequested,
                                 [&] { ++requests; });
                std::raise(signalNumber);
                processEventsUntil([&] { return requests > 0; }, 200);
            }
            EXPECT_EQ(requests, found == SIG_IGN ? 0 : 1);
            EXPECT_EQ(handlerOf(signalNumber), found);
            std::signal(signalNumber, SIG_DFL);
        }
    }
}

// The handler leaves errno as it found it, also when its write fails because
// the pipe is full of signals not yet taken: the code it interrupted may be
// about to read errno.
TEST(TerminationSignalWatcherTest, TheHandlerLeavesErrnoAsItFoundIt) {
    std::signal(SIGTERM, SIG_DFL);
    const TerminationSignalWatcher watcher;
    // Far more than a pipe holds.
    constexpr int signalsRaised = 1 << 17;
    int changed = 0;
    for (int raised = 0; raised < signalsRaised; ++raised) {
        errno = EDOM;
        std::raise(SIGTERM);
        changed += errno != EDOM ? 1 : 0;
    }
    EXPECT_EQ(changed, 0) << "of " << signalsRaised << " signals";
}
