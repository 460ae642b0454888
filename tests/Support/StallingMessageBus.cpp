#include "Support/StallingMessageBus.h"

#include <algorithm>
#include <cerrno>
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
#include <QtEndian>

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
    if (line == "NEGOTIATE_UNIX_FD" &&
        (stopsAfter == StopsAfter::unixFdAgreement || stopsAfter == StopsAfter::endlessHelloReply ||
         stopsAfter == StopsAfter::helloReplyWithFieldsOfLaterCodes)) {
        return "AGREE_UNIX_FD\r\n";
    }
    return {};
}

// The start of a method return to serial 1, little-endian, whose body is
// said to be 0xfffffff0 bytes long; the bus then sends that body.
QByteArray endlessHelloReplyHeader() {
    return QByteArray("l\2\0\1\xf0\xff\xff\xff\2\0\0\0\x08\0\0\0"
                      "\5\1u\0\1\0\0\0",
                      24);
}

// A method return to serial 1, little-endian, without a body, whose
// REPLY_SERIAL comes after fields of codes kept for later.
QByteArray helloReplyWithFieldsOfLaterCodes() {
    QByteArray message("l\2\0\1\0\0\0\0\2\0\0\0\0\0\0\0", 16);
    const auto pad = [&](int alignment) {
        while (message.size() % alignment != 0) {
            message += '\0';
        }
    };
    const auto uint32 = [&](quint32 value) {
        pad(4);
        char bytes[4];
        qToLittleEndian(value, bytes);
        message.append(bytes, 4);
    };
    const auto field = [&](char code, const QByteArray& signature) {
        pad(8);
        message += code;
        message += char(signature.size());
        message += signature;
        message += '\0';
    };
    field(10, "ay");
    uint32(3);
    message += "\1\2\3";
    field(11, "x");
    pad(8);
    message += QByteArray(8, '\7');
    field(12, "a{sv}");
    uint32(0);
    const qsizetype lengthAt = message.size() - 4;
    pad(8);
    const qsizetype entriesAt = message.size();
    uint32(1);
    message += QByteArray("k\0\1u\0", 5);
    uint32(7);
    qToLittleEndian(quint32(message.size() - entriesAt), message.data() + lengthAt);
    field(5, "u");
    uint32(1);
    qToLittleEndian(quint32(message.size() - 16), message.data() + 12);
    pad(8);
    return message;
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
    struct Client {
        QByteArray received;
        bool flooding = false;
    };
    std::map<int, Client> clients;
    const QByteArray flood(64 * 1024, 'x');
    const auto drop = [&](int client) {
        ::close(client);
        clients.erase(client);
    };
    for (;;) {
        std::vector<pollfd> watched{{stopPipe_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
        for (const auto& [descriptor, client] : clients) {
            watched.push_back({descriptor, short(POLLIN | (client.flooding ? POLLOUT : 0)), 0});
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
                clients[client].flooding = stopsAfter_ == StopsAfter::endlessLine;
            }
        }
        for (std::size_t index = 2; index < watched.size(); ++index) {
            const int descriptor = watched[index].fd;
            if (watched[index].revents & POLLOUT) {
                if (::send(descriptor, flood.constData(), std::size_t(flood.size()),
                           MSG_NOSIGNAL | MSG_DONTWAIT) < 0 &&
                    errno != EAGAIN) {
                    drop(descriptor);
                    continue;
                }
            }
            if (!(watched[index].revents & (POLLIN | POLLHUP | POLLERR))) {
                continue;
            }
            char buffer[1024];
            const ssize_t count = ::recv(descriptor, buffer, sizeof buffer, MSG_DONTWAIT);
            if (count <= 0) {
                drop(descriptor);
                continue;
            }
            Client& client = clients[descriptor];
            client.received.append(buffer, count);
            for (qsizetype end; !client.flooding && (end = client.received.indexOf("\r\n")) >= 0;) {
                QByteArray line = client.received.first(end);
                client.received.remove(0, end + 2);
                if (line.startsWith('\0')) {
                    line.remove(0, 1);
                }
                QByteArray answer = answerTo(line, stopsAfter_);
                if (line == "BEGIN" && stopsAfter_ == StopsAfter::endlessHelloReply) {
                    answer = endlessHelloReplyHeader();
                    client.flooding = true;
                }
                if (line == "BEGIN" &&
                    stopsAfter_ == StopsAfter::helloReplyWithFieldsOfLaterCodes) {
                    answer = helloReplyWithFieldsOfLaterCodes();
                }
                ::send(descriptor, answer.constData(), std::size_t(answer.size()), MSG_NOSIGNAL);
            }
        }
    }
    for (const auto& client : clients) {
        ::close(client.first);
    }
}
