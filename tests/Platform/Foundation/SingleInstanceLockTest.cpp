#include "Platform/Foundation/SingleInstanceLock.h"

#include "Support/QStringPrinter.h"

#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>

using Outcome = SingleInstanceLock::Outcome;

namespace {

// Checks file permissions as the unprivileged user "nobody" for its lifetime
// when run as root, who may write any file otherwise.
class ScopedUnprivilegedFileAccess {
public:
    ScopedUnprivilegedFileAccess() {
        if (::geteuid() == 0) {
            ::setfsuid(nobody);
            ::setfsgid(nobody);
        }
    }
    ~ScopedUnprivilegedFileAccess() {
        if (::geteuid() == 0) {
            ::setfsuid(0);
            ::setfsgid(0);
        }
    }
    ScopedUnprivilegedFileAccess(const ScopedUnprivilegedFileAccess&) = delete;
    ScopedUnprivilegedFileAccess& operator=(const ScopedUnprivilegedFileAccess&) = delete;

private:
    static constexpr uid_t nobody = 65534;
};

} // namespace

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

// A lock file this user may only read (left by a run as another user) guards
// as well as a writable one.
TEST(SingleInstanceLockTest, ALockFileThatCannotBeWrittenStillGuards) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("pelmor.lock"));
    { const SingleInstanceLock create(path); }
    const auto readable = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(folder.path(),
                                      readable | QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                                          QFileDevice::ExeOther | QFileDevice::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(path, readable));

    for (const bool heldElsewhere : {false, true}) {
        SCOPED_TRACE(heldElsewhere ? "held by another holder" : "free");
        std::optional<SingleInstanceLock> holder;
        if (heldElsewhere) {
            holder.emplace(path);
            ASSERT_EQ(holder->outcome(), Outcome::acquired);
        }
        const ScopedUnprivilegedFileAccess unprivileged;
        EXPECT_EQ(SingleInstanceLock(path).outcome(),
                  heldElsewhere ? Outcome::heldByAnotherProcess : Outcome::acquired);
    }
}
