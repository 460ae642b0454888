#include "EndToEnd/DesktopSession.h"
#include "Support/ProcessTable.h"
#include "Support/QStringPrinter.h"

#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

namespace {

// Whether a name lookup here goes unanswered for a while, as it does in the
// isolated network, whose resolver is unreachable.
bool nameLookupsHang() {
    QProcess lookup;
    lookup.start(QStringLiteral("getent"),
                 {QStringLiteral("hosts"), QStringLiteral("pelmor-quit-test.invalid")});
    const bool hangs = lookup.waitForStarted() && !lookup.waitForFinished(1500);
    lookup.kill();
    lookup.waitForFinished();
    return hangs;
}

// What `pelmor` has started and is still running, once it runs anything (the
// router ping to the sink takes seconds); empty after `timeout`.
std::vector<pid_t> childrenOnceAny(const QProcess& pelmor, int timeout) {
    const QDeadlineTimer deadline(timeout);
    std::vector<pid_t> children;
    while (children.empty() && !deadline.hasExpired()) {
        children = ProcessTable::descendantsOf(pid_t(pelmor.processId()));
        std::erase_if(children, [](pid_t pid) { return !ProcessTable::isRunning(pid); });
        if (children.empty()) {
            DesktopSession::pumpFor(20);
        }
    }
    return children;
}

// A process that traces `tracees` and then stops, as a debugger stopped in a
// terminal does: a traced child that ends waits for its tracer, and until the
// tracer has seen it, its parent cannot reap it. Killed with its scope.
class StoppedTracer {
public:
    explicit StoppedTracer(const std::vector<pid_t>& tracees) : pid_(::fork()) {
        if (pid_ == 0) {
            for (const pid_t tracee : tracees) {
                ::ptrace(PTRACE_SEIZE, tracee, nullptr, nullptr);
            }
            ::raise(SIGSTOP);
            ::_exit(0);
        }
        siginfo_t info{};
        ::waitid(P_PID, static_cast<id_t>(pid_), &info, WSTOPPED);
    }
    ~StoppedTracer() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    StoppedTracer(const StoppedTracer&) = delete;
    StoppedTracer& operator=(const StoppedTracer&) = delete;

    bool traces(pid_t tracee) const {
        QFile status(QStringLiteral("/proc/%1/status").arg(tracee));
        return status.open(QIODevice::ReadOnly) &&
               status.readAll().contains("\nTracerPid:\t" + QByteArray::number(pid_) + "\n");
    }

private:
    const pid_t pid_;
};

} // namespace

// Where name lookups hang, TERM sent while a ping runs still ends Pelmor
// within 2 s, also when a stopped tracer holds its children, with status 0,
// its settings written, nothing from the pending lookups on standard error,
// and nothing it started left running.
TEST(QuitEndToEndTest,
     TermEndsPelmorWithinTwoSecondsWhileNameLookupsHangAndATracerHoldsItsChildren) {
    ASSERT_TRUE(nameLookupsHang())
        << "name lookups are answered here; in-isolated-network gives them a resolver that "
           "does not answer";
    QTemporaryDir configHome;
    ASSERT_TRUE(DesktopSession::preparePelmorEnvironment(configHome));
    QProcess pelmor;
    pelmor.start(QStringLiteral(PELMOR_BINARY), {});
    ASSERT_TRUE(pelmor.waitForStarted(5'000));
    // Long enough for the captive-portal and update checks to wait on the resolver.
    ASSERT_FALSE(pelmor.waitForFinished(7'000)) << "pelmor ended on its own";
    const std::vector<pid_t> children = childrenOnceAny(pelmor, 10'000);
    ASSERT_FALSE(children.empty()) << "pelmor ran no command";
    const StoppedTracer tracer(children);
    const auto traced = std::count_if(children.begin(), children.end(),
                                      [&](pid_t child) { return tracer.traces(child); });
    ASSERT_TRUE(traced > 0 &&
                traced == std::count_if(children.begin(), children.end(), &ProcessTable::isRunning))
        << "not every child could be traced";
    pelmor.readAllStandardError();

    QElapsedTimer sinceTerm;
    sinceTerm.start();
    ::kill(static_cast<pid_t>(pelmor.processId()), SIGTERM);
    ASSERT_TRUE(pelmor.waitForFinished(15'000));
    EXPECT_LT(sinceTerm.elapsed(), 2'000);
    EXPECT_EQ(pelmor.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(pelmor.exitCode(), 0);
    EXPECT_FALSE(pelmor.readAllStandardError().contains("_q_hostLookupFinished"));
    for (const pid_t child : children) {
        EXPECT_FALSE(ProcessTable::isRunning(child))
            << "still running: " << ProcessTable::commandLine(child).toStdString();
    }
    const QSettings settings(configHome.filePath(QStringLiteral("pelmor/pelmor.conf")),
                             QSettings::IniFormat);
    EXPECT_EQ(settings.value(QStringLiteral("lastSSID")).toString(),
              QStringLiteral(PELMOR_SIMULATED_SSID));
}
