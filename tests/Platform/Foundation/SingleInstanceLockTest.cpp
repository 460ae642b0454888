#include "Platform/Foundation/SingleInstanceLock.h"

#include "Support/QStringPrinter.h"

#include <csignal>
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

using Outcome = SingleInstanceLock::Outcome;

// A held lock refuses every other holder, in this process or another, and is
// free again once its holder lets go or is killed; a lock that cannot be
// taken at all says so rather than claiming another holder.
TEST(SingleInstanceLockTest, OneHolderAtATimeAndNoneAfterItEnds) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("settings/pelmor.lock"));
    {
        const SingleInstanceLock first(path);
        ASSERT_EQ(first.outcome(), Outcome::acquired);
        EXPECT_EQ(SingleInstanceLock(path).outcome(), Outcome::heldByAnotherProcess);
    }
    EXPECT_EQ(SingleInstanceLock(path).outcome(), Outcome::acquired);

    // flock(1) takes the same kind of lock; killed, it leaves the file behind.
    QProcess holder;
    holder.start(QStringLiteral("flock"),
                 {QStringLiteral("--nonblock"), QStringLiteral("--no-fork"), path,
                  QStringLiteral("sleep"), QStringLiteral("60")});
    ASSERT_TRUE(holder.waitForStarted());
    Outcome whileHeld = Outcome::acquired;
    for (int attempt = 0; attempt < 200 && whileHeld != Outcome::heldByAnotherProcess; ++attempt) {
        QThread::msleep(10);
        whileHeld = SingleInstanceLock(path).outcome();
    }
    EXPECT_EQ(whileHeld, Outcome::heldByAnotherProcess);
    ::kill(static_cast<pid_t>(holder.processId()), SIGKILL);
    ASSERT_TRUE(holder.waitForFinished());
    EXPECT_EQ(SingleInstanceLock(path).outcome(), Outcome::acquired);

    EXPECT_EQ(SingleInstanceLock(QStringLiteral("/proc/self/no-such-folder/pelmor.lock")).outcome(),
              Outcome::unavailable);
}
