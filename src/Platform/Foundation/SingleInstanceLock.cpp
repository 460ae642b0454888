#include "Platform/Foundation/SingleInstanceLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

SingleInstanceLock::SingleInstanceLock(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray encodedPath = QFile::encodeName(path);
    descriptor_ = ::open(encodedPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // A lock file this user may not write (left by a run as another user)
    // still locks: flock needs only a descriptor, which reading gives.
    if (descriptor_ < 0 && errno == EACCES) {
        descriptor_ = ::open(encodedPath.constData(), O_RDONLY | O_CLOEXEC);
    }
    if (descriptor_ < 0) {
        return;
    }
    // flock, not fcntl locks: the lock belongs to this open file, so a second
    // lock in the same process is refused as well, which keeps it testable.
    int result = 0;
    do {
        result = ::flock(descriptor_, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result == 0) {
        outcome_ = Outcome::acquired;
        return;
    }
    outcome_ = errno == EWOULDBLOCK ? Outcome::heldByAnotherProcess : Outcome::unavailable;
    ::close(descriptor_);
    descriptor_ = -1;
}

SingleInstanceLock::~SingleInstanceLock() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}
