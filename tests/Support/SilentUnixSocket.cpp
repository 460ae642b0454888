#include "Support/SilentUnixSocket.h"

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>

SilentUnixSocket::SilentUnixSocket(const QString& path)
    : path_(path.isEmpty() ? folder_.filePath(QStringLiteral("bus")) : path) {
    const QByteArray name = QFile::encodeName(path_);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (std::size_t(name.size()) >= sizeof(address.sun_path)) {
        return;
    }
    std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
    // A socket file a killed daemon left behind.
    ::unlink(name.constData());
    descriptor_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (::bind(descriptor_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(descriptor_, 64) != 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

SilentUnixSocket::~SilentUnixSocket() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        ::unlink(QFile::encodeName(path_).constData());
    }
}
