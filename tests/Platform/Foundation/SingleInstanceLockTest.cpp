#include "Platform/Foundation/SingleInstanceLock.h"

#include "Support/QStringPrinter.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
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
    const QString settings = folder.filePath(QStringLiteral("settings"));
    {
        const SingleInstanceLock first(settings);
        ASSERT_EQ(first.outcome(), Outcome::acquired);
        EXPECT_EQ(SingleInstanceLock(settings).outcome(), Outcome::heldByAnotherProcess);
    }
    EXPECT_EQ(SingleInstanceLock(settings).outcome(), Outcome::acquired);
    EXPECT_EQ(SingleInstanceLock(QStringLiteral("/proc/self/no-such-folder")).outcome(),
              Outcome::unavailable);
}

// A folder this user may only read (its owner, root, stays able to clean up),
// or one holding a lock file that a run as another user left (mode 0600),
// guards as well as the user's own.
TEST(SingleInstanceLockTest, AFolderThatCannotBeWrittenStillGuards) {
    using Permission = QFileDevice::Permission;
    const QFileDevice::Permissions readable = Permission::ReadOwner | Permission::ReadGroup |
                                              Permission::ReadOther | Permission::ExeOwner |
                                              Permission::ExeGroup | Permission::ExeOther;
    const QFileDevice::Permissions writable =
        readable | Permission::WriteOwner | Permission::WriteGroup | Permission::WriteOther;
    struct Case {
        const char* name;
        QFileDevice::Permissions folderPermissions;
        bool lockFileLeft;
    };
    const Case cases[] = {
        {"a read-only folder", readable | Permission::WriteOwner, false},
        {"a lock file of another user's", writable, true},
    };
    for (const Case& example : cases) {
        QTemporaryDir folder;
        if (example.lockFileLeft) {
            QFile left(folder.filePath(QStringLiteral("pelmor.lock")));
            ASSERT_TRUE(left.open(QIODevice::WriteOnly));
            ASSERT_TRUE(left.setPermissions(Permission::ReadOwner | Permission::WriteOwner));
        }
        ASSERT_TRUE(QFile::setPermissions(folder.path(), example.folderPermissions));
        for (const bool heldElsewhere : {false, true}) {
            SCOPED_TRACE(std::string(example.name) +
                         (heldElsewhere ? ", held by another holder" : ", free"));
            std::optional<SingleInstanceLock> holder;
            if (heldElsewhere) {
                holder.emplace(folder.path());
                ASSERT_EQ(holder->outcome(), Outcome::acquired);
            }
            const ScopedUnprivilegedFileAccess unprivileged;
            EXPECT_EQ(SingleInstanceLock(folder.path()).outcome(),
                      heldElsewhere ? Outcome::heldByAnotherProcess : Outcome::acquired);
        }
    }
}
