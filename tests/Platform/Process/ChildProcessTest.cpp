#include "Platform/Process/ChildProcess.h"

#include "Support/EventLoopWait.h"

#include <csignal>
#include <gtest/gtest.h>
#include <optional>

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

TEST(ChildProcessTest, CollectsBothStreamsAndTheExitStatus) {
    ChildProcess process;
    ASSERT_FALSE(process.start(
        shell, {QStringLiteral("-c"), QStringLiteral("printf out; printf err >&2; exit 7")}));
    const auto ending = waitForEnd(process);
    ASSERT_TRUE(ending);
    EXPECT_EQ(ending->status, 7);
    EXPECT_FALSE(ending->endedBySignal);
    EXPECT_EQ(process.standardOutput(), "out");
    EXPECT_EQ(process.standardError(), "err");
    EXPECT_FALSE(process.isRunning());
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

TEST(ChildProcessTest, DestroyingARunningChildKillsAndReapsIt) {
    QTemporaryDir directory;
    const QString pidFile = directory.path() + QStringLiteral("/pid");
    qint64 pid = 0;
    {
        ChildProcess process;
        ASSERT_FALSE(
            process.start(shell, {QStringLiteral("-c"),
                                  QStringLiteral("echo $$ > '%1'; exec sleep 30").arg(pidFile)}));
        QDeadlineTimer deadline(10'000);
        while (pid == 0 && !deadline.hasExpired()) {
            QFile file(pidFile);
            if (file.open(QIODevice::ReadOnly)) {
                pid = file.readAll().trimmed().toLongLong();
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        ASSERT_GT(pid, 0);
    }
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)));
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
