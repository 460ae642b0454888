#include "App/TerminationSignalWatcher.h"

#include "App/ExitDeadline.h"
#include "Support/EventLoopWait.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <latch>
#include <optional>
#include <thread>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

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
                // Queued to this thread, where `requests` is read.
                QObject::connect(&watcher, &TerminationSignalWatcher::terminationRequested,
                                 &watcher, [&] {
                                     EXPECT_EQ(QThread::currentThread(), watcher.thread());
                                     ++requests;
                                 });
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
// about to read errno. The reader is held in its first step meanwhile, so
// that the pipe fills; fewer signals taken than raised shows it did.
TEST(TerminationSignalWatcherTest, TheHandlerLeavesErrnoAsItFoundIt) {
    std::signal(SIGTERM, SIG_DFL);
    std::latch readerHeld(1);
    std::latch readerLetGo(1);
    std::atomic<int> taken = 0;
    // Far more than a pipe holds.
    constexpr int signalsRaised = 1 << 17;
    int changed = 0;
    {
        const TerminationSignalWatcher watcher([&](int) {
            if (taken++ == 0) {
                readerHeld.count_down();
                readerLetGo.wait();
            }
        });
        std::raise(SIGTERM);
        readerHeld.wait();
        for (int raised = 1; raised < signalsRaised; ++raised) {
            errno = EDOM;
            std::raise(SIGTERM);
            changed += errno != EDOM ? 1 : 0;
        }
        readerLetGo.count_down();
    }
    EXPECT_LT(taken, signalsRaised) << "the pipe never filled";
    EXPECT_EQ(changed, 0) << "of " << signalsRaised << " signals";
}

// A quitting signal runs the watcher's first step at once, on a thread of its
// own, also while the main thread is stuck in a call that does not return and
// the quit it asks for never runs: with the exit deadline armed there, as
// Pelmor does, the process ends within the deadline's bound and with the
// quit's status.
TEST(TerminationSignalWatcherTest, ASignalEndsTheProcessWhileItsMainThreadIsStuck) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        QElapsedTimer elapsed;
        elapsed.start();
        EXPECT_EXIT(
            {
                std::signal(signalNumber, SIG_DFL);
                std::optional<ExitDeadline> deadline;
                const TerminationSignalWatcher watcher(
                    [&](int) { deadline.emplace(std::chrono::milliseconds(1'000), 0, nullptr); });
                std::thread([signalNumber] {
                    std::this_thread::sleep_for(std::chrono::milliseconds(200));
                    ::kill(::getpid(), signalNumber);
                }).detach();
                std::this_thread::sleep_for(std::chrono::seconds(10));
                std::_Exit(2);
            },
            testing::ExitedWithCode(0), "");
        // The test binary's own start, the signal's 0.2 s and the deadline's 1 s.
        EXPECT_LT(elapsed.elapsed(), 3'000);
    }
}
