#include "Platform/Foundation/SingleInstanceLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

SingleInstanceLock::SingleInstanceLock(const QString& folderPath) {
    QDir().mkpath(folderPath);
    descriptor_ =
        ::open(QFile::encodeName(folderPath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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
