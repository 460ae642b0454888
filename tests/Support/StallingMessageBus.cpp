#include "Support/StallingMessageBus.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QFile>

namespace {

// A loopback TCP socket bound to a port of the kernel's choosing.
int boundLoopbackSocket(quint16& port) {
    const int descriptor = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(descriptor, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(descriptor);
        return -1;
    }
    port = ntohs(address.sin_port);
    return descriptor;
}

// What the bus says to one line of the client's, as far as it goes.
QByteArray answerTo(const QByteArray& line, StallingMessageBus::StopsAfter stopsAfter) {
    using StopsAfter = StallingMessageBus::StopsAfter;
    if (line.startsWith("AUTH ") && stopsAfter != StopsAfter::connecting) {
        return "OK 0123456789abcdef0123456789abcdef\r\n";
    }
    if (line == "NEGOTIATE_UNIX_FD" && stopsAfter == StopsAfter::unixFdAgreement) {
        return "AGREE_UNIX_FD\r\n";
    }
    return {};
}

} // namespace

StallingMessageBus::StallingMessageBus(Transport transport, StopsAfter stopsAfter,
                                       const QString& path)
    : stopsAfter_(stopsAfter) {
    if (transport == Transport::tcp) {
        quint16 port = 0;
        listener_ = boundLoopbackSocket(port);
        address_ = QStringLiteral("tcp:host=127.0.0.1,port=%1").arg(port);
    } else {
        const QByteArray name =
            QFile::encodeName(path.isEmpty() ? folder_.filePath(QStringLiteral("bus")) : path);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, name.constData(),
                    std::min(std::size_t(name.size()), sizeof address.sun_path - 1));
        listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            ::close(std::exchange(listener_, -1));
        } else {
            socketFile_ = name;
        }
        address_ = QStringLiteral("unix:path=") + QFile::decodeName(name);
    }
    if (listener_ < 0 || ::listen(listener_, 64) != 0 || ::pipe2(stopPipe_, O_CLOEXEC) != 0) {
        listener_ = -1;
        return;
    }
    server_ = std::thread([this] { serve(); });
}

StallingMessageBus::~StallingMessageBus() {
    if (server_.joinable()) {
        ::close(stopPipe_[1]);
        server_.join();
        ::close(stopPipe_[0]);
    }
    if (listener_ >= 0) {
        ::close(listener_);
    }
    if (!socketFile_.isEmpty()) {
        ::unlink(socketFile_.constData());
    }
}

QString StallingMessageBus::refusingTcpAddress() {
    // Bound and never listening: the port stays this socket's, and refuses.
    static quint16 port = 0;
    static const int descriptor = boundLoopbackSocket(port);
    return descriptor < 0 ? QString() : QStringLiteral("tcp:host=127.0.0.1,port=%1").arg(port);
}

void StallingMessageBus::serve() {
    std::map<int, QByteArray> clients;
    for (;;) {
        std::vector<pollfd> watched{{stopPipe_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
        for (const auto& client : clients) {
            watched.push_back({client.first, POLLIN, 0});
        }
        if (::poll(watched.data(), watched.size(), -1) < 0) {
            continue;
        }
        if (watched[0].revents) {
            break;
        }
        if (watched[1].revents & POLLIN) {
            if (const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
                client >= 0) {
                clients[client];
            }
        }
        for (std::size_t index = 2; index < watched.size(); ++index) {
            if (!watched[index].revents) {
                continue;
            }
            const int client = watched[index].fd;
            char buffer[1024];
            const ssize_t count = ::recv(client, buffer, sizeof buffer, 0);
            if (count <= 0) {
                ::close(client);
                clients.erase(client);
                continue;
            }
            QByteArray& received = clients[client];
            received.append(buffer, count);
            for (qsizetype end; (end = received.indexOf("\r\n")) >= 0;) {
                QByteArray line = received.first(end);
                received.remove(0, end + 2);
                if (line.startsWith('\0')) {
                    line.remove(0, 1);
                }
                const QByteArray answer = answerTo(line, stopsAfter_);
                ::send(client, answer.constData(), std::size_t(answer.size()), MSG_NOSIGNAL);
            }
        }
    }
    for (const auto& client : clients) {
        ::close(client.first);
    }
}
