#include "Platform/Foundation/SingleInstanceLock.h"

#include "Support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using Outcome = SingleInstanceLock::Outcome;

// A held lock refuses every other holder, even in the same process, and is
// free again once its holder lets go; a lock that cannot be taken at all says
// so rather than claiming another holder. (A killed holder: SecondInstanceTest.)
TEST(SingleInstanceLockTest, OneHolderAtATimeAndNoneAfterItEnds) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("settings/pelmor.lock"));
    {
        const SingleInstanceLock first(path);
        ASSERT_EQ(first.outcome(), Outcome::acquired);
        EXPECT_EQ(SingleInstanceLock(path).outcome(), Outcome::heldByAnotherProcess);
    }
    EXPECT_EQ(SingleInstanceLock(path).outcome(), Outcome::acquired);
    EXPECT_EQ(SingleInstanceLock(QStringLiteral("/proc/self/no-such-folder/pelmor.lock")).outcome(),
              Outcome::unavailable);
}
