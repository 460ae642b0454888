#include "Platform/DBus/MessageBusProbe.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QStringList>

namespace {

using Outcome = MessageBusProbe::Outcome;

// What a value in a bus address means: each %xx is the byte xx.
QByteArray unescaped(const QString& value) {
    return QByteArray::fromPercentEncoding(value.toUtf8());
}

// The socket one entry of a bus address ("unix:path=...,guid=...") names.
// Empty for another way of connecting.
std::optional<std::pair<sockaddr_un, socklen_t>> unixSocketOf(const QString& entry) {
    if (!entry.startsWith(QLatin1String("unix:"))) {
        return std::nullopt;
    }
    for (const QString& pair : entry.mid(5).split(QLatin1Char(','))) {
        const QString key = pair.section(QLatin1Char('='), 0, 0);
        if (key != QLatin1String("path") && key != QLatin1String("abstract")) {
            continue;
        }
        const QByteArray name = unescaped(pair.section(QLatin1Char('='), 1));
        const bool isAbstract = key == QLatin1String("abstract");
        sockaddr_un socketAddress{};
        socketAddress.sun_family = AF_UNIX;
        // An abstract name starts with a NUL byte and has no NUL at its end.
        const std::size_t offset = isAbstract ? 1 : 0;
        if (name.size() + offset + (isAbstract ? 0 : 1) > sizeof(socketAddress.sun_path)) {
            return std::nullopt;
        }
        std::memcpy(socketAddress.sun_path + offset, name.constData(), std::size_t(name.size()));
        const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + offset +
                                      std::size_t(name.size()) + (isAbstract ? 0 : 1));
        return std::make_pair(socketAddress, length);
    }
    return std::nullopt;
}

// The client's first words: a NUL byte, then a request to authenticate as
// the process's user.
QByteArray greeting() {
    return QByteArray(1, '\0') + "AUTH EXTERNAL " +
           QByteArray::number(static_cast<qulonglong>(::getuid())).toHex() + "\r\n";
}

// Connects to the first entry of `address` that takes a connection, without
// waiting, and greets it: the descriptor to read the answer from. Without
// one, the outcome there already is.
std::pair<int, Outcome> begin(const QString& address) {
    for (const QString& entry : address.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const auto socketAddress = unixSocketOf(entry);
        if (!socketAddress) {
            return {-1, Outcome::cannotTell};
        }
        const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (descriptor < 0) {
            return {-1, Outcome::cannotTell};
        }
        if (::connect(descriptor, reinterpret_cast<const sockaddr*>(&socketAddress->first),
                      socketAddress->second) != 0) {
            const int error = errno;
            ::close(descriptor);
            // A listener whose queue of connections is full takes none: it
            // does not answer.
            if (error == EAGAIN) {
                return {-1, Outcome::doesNotAnswer};
            }
            continue;
        }
        const QByteArray words = greeting();
        if (::send(descriptor, words.constData(), std::size_t(words.size()),
                   MSG_NOSIGNAL | MSG_DONTWAIT) != words.size()) {
            ::close(descriptor);
            return {-1, Outcome::absent};
        }
        return {descriptor, Outcome::doesNotAnswer};
    }
    return {-1, address.isEmpty() ? Outcome::cannotTell : Outcome::absent};
}

// Reads what has come: once a whole line has, the bus answered; a closed
// connection is a bus that is not there. Empty while the answer is to come.
std::optional<Outcome> takeAnswer(int descriptor, QByteArray& received) {
    char buffer[256];
    for (;;) {
        const ssize_t count = ::recv(descriptor, buffer, sizeof buffer, MSG_DONTWAIT);
        if (count > 0) {
            received.append(buffer, count);
            if (received.contains("\r\n")) {
                return Outcome::answers;
            }
            continue;
        }
        if (count < 0 && (errno == EAGAIN || errno == EINTR)) {
            return std::nullopt;
        }
        return Outcome::absent;
    }
}

} // namespace

Outcome MessageBusProbe::probe(const QString& address, std::chrono::milliseconds bound) {
    const auto [descriptor, outcome] = begin(address);
    if (descriptor < 0) {
        return outcome;
    }
    const QDeadlineTimer deadline(bound);
    QByteArray received;
    std::optional<Outcome> answer;
    while (!answer && !deadline.hasExpired()) {
        pollfd readable{descriptor, POLLIN, 0};
        if (::poll(&readable, 1, int(deadline.remainingTime())) > 0) {
            answer = takeAnswer(descriptor, received);
        }
    }
    ::close(descriptor);
    return answer.value_or(Outcome::doesNotAnswer);
}

MessageBusProbe::MessageBusProbe(const QString& address, std::chrono::milliseconds bound,
                                 QObject* parent)
    : QObject(parent) {
    bound_.setSingleShot(true);
    const auto [descriptor, outcome] = begin(address);
    descriptor_ = descriptor;
    if (descriptor_ < 0) {
        connect(&bound_, &QTimer::timeout, this, [this, outcome] { finish(outcome); });
        bound_.start(0);
        return;
    }
    notifier_ = new QSocketNotifier(descriptor_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &MessageBusProbe::readAnswer);
    connect(&bound_, &QTimer::timeout, this, [this] { finish(Outcome::doesNotAnswer); });
    bound_.start(bound);
}

MessageBusProbe::~MessageBusProbe() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

void MessageBusProbe::readAnswer() {
    if (const std::optional<Outcome> answer = takeAnswer(descriptor_, received_)) {
        finish(*answer);
    }
}

// Said once: the connection is closed at once.
void MessageBusProbe::finish(Outcome outcome) {
    bound_.stop();
    if (notifier_) {
        notifier_->setEnabled(false);
    }
    if (descriptor_ >= 0) {
        ::close(std::exchange(descriptor_, -1));
    }
    emit finished(outcome);
}
