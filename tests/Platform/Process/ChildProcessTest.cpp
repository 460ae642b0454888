#include "Platform/Process/ChildProcess.h"

#include "Support/EventLoopWait.h"
#include "Support/ProcessTable.h"

#include <array>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <tuple>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

struct Ending {
    int status;
    bool endedBySignal;
};

std::optional<Ending> waitForEnd(ChildProcess& process) {
    std::optional<Ending> ending;
    QObject::connect(&process, &ChildProcess::finished, [&](int status, bool bySignal) {
        ending = Ending{status, bySignal};
    });
    QDeadlineTimer deadline(10'000);
    while (!ending && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
    }
    return ending;
}

const QString shell = QStringLiteral("/bin/sh");

} // namespace

// Where SIGCHLD is ignored the kernel reaps the child itself: its end is
// still noticed, with its status lost.
TEST(ChildProcessTest, CollectsBothStreamsAndTheExitStatus) {
    const std::tuple<const char*, void (*)(int), int> cases[] = {
        {"waited for", SIG_DFL, 7},
        {"reaped by the kernel", SIG_IGN, ChildProcess::unknownStatus},
    };
    for (const auto& [name, childSignalAction, status] : cases) {
        SCOPED_TRACE(name);
        std::signal(SIGCHLD, childSignalAction);
        ChildProcess process;
        ASSERT_FALSE(process.start(
            shell, {QStringLiteral("-c"), QStringLiteral("printf out; printf err >&2; exit 7")}));
        const auto ending = waitForEnd(process);
        std::signal(SIGCHLD, SIG_DFL);
        ASSERT_TRUE(ending);
        EXPECT_EQ(ending->status, status);
        EXPECT_FALSE(ending->endedBySignal);
        EXPECT_EQ(process.standardOutput(), "out");
        EXPECT_EQ(process.standardError(), "err");
        EXPECT_FALSE(process.isRunning());
    }
}

TEST(ChildProcessTest, ReportsTheSignalThatEndedTheChild) {
    ChildProcess process;
    ASSERT_FALSE(process.start(shell, {QStringLiteral("-c"), QStringLiteral("sleep 30")}));
    process.terminate();
    const auto ending = waitForEnd(process);
    ASSERT_TRUE(ending);
    EXPECT_TRUE(ending->endedBySignal);
    EXPECT_EQ(ending->status, SIGTERM);
}

TEST(ChildProcessTest, RefusedStartsSayWhy) {
    ChildProcess process;
    const auto failure = process.start(QStringLiteral("/nonexistent/tool"), {});
    ASSERT_TRUE(failure);
    EXPECT_FALSE(failure->isEmpty());
    EXPECT_FALSE(process.isRunning());
}

// A running child is killed at once, with what it started, and reaped a moment
// later, when it is destroyed and when every running child is killed at the
// process's end.
TEST(ChildProcessTest, AChildEndedByItsOwnerEndsWithWhatItStarted) {
    const std::pair<const char*, std::function<void(std::unique_ptr<ChildProcess>&)>> endings[] = {
        {"destroyed", [](std::unique_ptr<ChildProcess>& process) { process.reset(); }},
        {"all killed", [](std::unique_ptr<ChildProcess>&) { ChildProcess::killAllRunning(); }},
    };
    for (const auto& [name, end] : endings) {
        SCOPED_TRACE(name);
        auto process = std::make_unique<ChildProcess>();
        ASSERT_FALSE(process->start(
            shell, {QStringLiteral("-c"), QStringLiteral("sleep 30 & echo $$ $!; wait")}));
        ASSERT_TRUE(
            processEventsUntil([&] { return process->standardOutput().contains('\n'); }, 10'000));
        const QList<QByteArray> pids = process->standardOutput().trimmed().split(' ');
        ASSERT_EQ(pids.size(), 2);
        const pid_t child = pids[0].toInt();
        const pid_t grandchild = pids[1].toInt();

        end(process);
        EXPECT_TRUE(processEventsUntil([&] { return !ProcessTable::isRunning(grandchild); }, 1'000))
            << "what the child started outlived it";
        EXPECT_TRUE(processEventsUntil(
            [&] { return !QFileInfo::exists(QStringLiteral("/proc/%1").arg(child)); }, 2'000))
            << "not reaped";
        if (process) {
            EXPECT_FALSE(process->isRunning());
        }
    }
}

TEST(ChildProcessTest, AnEndedChildIsReapedOnceItHasFinished) {
    qint64 pid = 0;
    {
        ChildProcess process;
        ASSERT_FALSE(process.start(shell, {QStringLiteral("-c"), QStringLiteral("echo $$")}));
        ASSERT_TRUE(waitForEnd(process));
        pid = process.standardOutput().trimmed().toLongLong();
        ASSERT_GT(pid, 0);
    }
    EXPECT_TRUE(processEventsUntil(
        [pid] { return !QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)); }, 5'000));
}

// A child reads nothing, whatever this process's own standard input is: an
// open pipe nobody writes, or nothing at all, which some tools refuse.
TEST(ChildProcessTest, AChildsStandardInputIsNullWhateverItsParentsIs) {
    // Each replaces this process's standard input; what to close afterwards.
    const std::pair<const char*, std::function<int()>> parentInputs[] = {
        {"closed",
         [] {
             ::close(STDIN_FILENO);
             return -1;
         }},
        {"a pipe left open",
         [] {
             std::array<int, 2> pipeEnds{-1, -1};
             EXPECT_EQ(::pipe2(pipeEnds.data(), O_CLOEXEC), 0);
             ::dup2(pipeEnds[0], STDIN_FILENO);
             ::close(pipeEnds[0]);
             return pipeEnds[1];
         }},
    };
    for (const auto& [name, replaceInput] : parentInputs) {
        SCOPED_TRACE(name);
        const int savedInput = ::dup(STDIN_FILENO);
        const int leftOpen = replaceInput();
        ChildProcess process;
        const auto failure = process.start(
            shell, {QStringLiteral("-c"), QStringLiteral("readlink /proc/self/fd/0; cat")});
        if (leftOpen >= 0) {
            ::close(leftOpen);
        }
        // Put back once the child has ended: where it was closed, the
        // child's output pipe now holds its number.
        const auto ending = failure ? std::nullopt : waitForEnd(process);
        ::dup2(savedInput, STDIN_FILENO);
        ::close(savedInput);
        ASSERT_FALSE(failure);
        ASSERT_TRUE(ending) << "the child waited for input";
        EXPECT_EQ(process.standardOutput(), "/dev/null\n");
    }
}
