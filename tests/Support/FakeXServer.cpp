#include "FakeXServer.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include <QFile>

FakeXServer::FakeXServer(int number, QByteArray reply)
    : listener_(QFile::encodeName(socketPath(number)), 8), reply_(std::move(reply)) {
    if (listener_.isListening()) {
        server_ = std::jthread([this] { answer(); });
    }
}

// The server's thread is joined first, then the listener removes its file.
FakeXServer::~FakeXServer() {
    listener_.shutDown();
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
    const int connection = ::accept(listener_.descriptor(), nullptr, nullptr);
    if (connection < 0) {
        return;
    }
    char request[64];
    [[maybe_unused]] const auto read = ::read(connection, request, sizeof request);
    [[maybe_unused]] const auto written = ::write(connection, reply_.constData(), reply_.size());
    ::close(connection);
}
