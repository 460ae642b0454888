#include "Support/UnixListener.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace {

bool addressOf(const QByteArray& path, sockaddr_un& address) {
    address.sun_family = AF_UNIX;
    if (std::size_t(path.size()) >= sizeof(address.sun_path)) {
        return false;
    }
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    return true;
}

// A socket file whose server has gone: a connect to it is refused.
bool isStaleSocket(const sockaddr_un& address) {
    struct stat found {};
    if (::lstat(address.sun_path, &found) != 0 || !S_ISSOCK(found.st_mode)) {
        return false;
    }
    const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    const bool refused =
        ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
        errno == ECONNREFUSED;
    ::close(probe);
    return refused;
}

} // namespace

UnixListener::UnixListener(const QByteArray& path, int backlog, AtPath atPath) : path_(path) {
    sockaddr_un address{};
    if (!addressOf(path_, address)) {
        return;
    }
    if (atPath == AtPath::mayReplaceStaleSocket && isStaleSocket(address)) {
        ::unlink(address.sun_path);
    }
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    struct stat bound {};
    // bind fails where any file is, so nothing there is taken over.
    if (::bind(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::stat(address.sun_path, &bound) != 0) {
        ::close(descriptor);
        return;
    }
    device_ = bound.st_dev;
    inode_ = bound.st_ino;
    changed_ = bound.st_ctim;
    descriptor_ = descriptor;
    if (::listen(descriptor_, backlog) != 0) {
        closeAndRemoveOwnFile();
    }
}

UnixListener::~UnixListener() {
    closeAndRemoveOwnFile();
}

void UnixListener::closeAndRemoveOwnFile() {
    if (descriptor_ < 0) {
        return;
    }
    ::close(std::exchange(descriptor_, -1));
    struct stat found {};
    if (::lstat(path_.constData(), &found) == 0 && found.st_dev == device_ &&
        found.st_ino == inode_ && found.st_ctim.tv_sec == changed_.tv_sec &&
        found.st_ctim.tv_nsec == changed_.tv_nsec) {
        ::unlink(path_.constData());
    }
}

void UnixListener::shutDown() {
    if (descriptor_ >= 0) {
        ::shutdown(descriptor_, SHUT_RDWR);
    }
}
