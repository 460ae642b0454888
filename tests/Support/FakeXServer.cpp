#include "FakeXServer.h"

#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>

FakeXServer::FakeXServer(int number, QByteArray reply)
    : path_(QFile::encodeName(socketPath(number))), reply_(std::move(reply)) {
    ::unlink(path_.constData());
    listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path_.constData(), path_.size());
    isListening_ = ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                   ::listen(listener_, 8) == 0;
    if (isListening_) {
        server_ = std::jthread([this] { answer(); });
    }
}

FakeXServer::~FakeXServer() {
    ::shutdown(listener_, SHUT_RDWR);
    ::close(listener_);
    ::unlink(path_.constData());
}

QString FakeXServer::socketPath(int number) {
    ::mkdir("/tmp/.X11-unix", 01777);
    return QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
}

// Status 0, the reason's length, protocol 11.0, the length of what follows in
// 4-byte units, then the reason padded to 4 bytes.
QByteArray FakeXServer::refusal(const QByteArray& reason) {
    QByteArray padded = reason;
    padded.append(QByteArray((4 - reason.size() % 4) % 4, '\0'));
    QByteArray reply(8, '\0');
    reply[1] = char(reason.size());
    reply[2] = 11;
    reply[6] = char(padded.size() / 4);
    return reply + padded;
}

void FakeXServer::answer() {
    const int connection = ::accept(listener_, nullptr, nullptr);
    if (connection < 0) {
        return;
    }
    char request[64];
    [[maybe_unused]] const auto read = ::read(connection, request, sizeof request);
    [[maybe_unused]] const auto written = ::write(connection, reply_.constData(), reply_.size());
    ::close(connection);
}
