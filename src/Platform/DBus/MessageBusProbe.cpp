#include "Platform/DBus/MessageBusProbe.h"

#include "Platform/DBus/MessageBusAddressEntry.h"
#include "Platform/DBus/MessageBusGreeting.h"
#include "Platform/DBus/MessageBusHostLookup.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <mutex>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

#include <QDeadlineTimer>
#include <QMetaObject>

namespace {

using Outcome = MessageBusProbe::Outcome;

// The longest unix socket name libdbus connects to.
constexpr std::size_t longestSocketName = 99;

// What came of trying one entry of an address.
struct Attempt {
    enum class Kind {
        connected,
        // Connecting failed: libdbus goes on to the next entry.
        failed,
        // Neither connected nor failed within the bound: libdbus would wait.
        stalled,
        cannotTell,
    };
    Kind kind;
    int descriptor = -1;
    bool isUnixSocket = false;
};

// Waits until `descriptor` is ready for `events` or the deadline passes: the
// events that came, 0 at the deadline.
short waitFor(int descriptor, short events, const QDeadlineTimer& deadline) {
    for (;;) {
        if (deadline.hasExpired()) {
            return 0;
        }
        pollfd ready{descriptor, events, 0};
        const int count = ::poll(&ready, 1, int(deadline.remainingTime()));
        if (count > 0) {
            return ready.revents;
        }
        if (count < 0 && errno != EINTR) {
            return POLLERR;
        }
    }
}

// libdbus connects to a unix socket without a bound: a listener whose queue
// of connections is full holds it.
Attempt connectUnixSocket(const MessageBusAddressEntry& entry) {
    const auto path = entry.value("path");
    const auto abstract = entry.value("abstract");
    // A folder to make a socket in is for a bus to listen at, never to connect to.
    const bool isListenerOnly =
        entry.value("tmpdir") || entry.value("dir") || entry.value("runtime");
    if (isListenerOnly || path.has_value() == abstract.has_value()) {
        return {Attempt::Kind::failed};
    }
    const QByteArray& name = path ? *path : *abstract;
    sockaddr_un socketAddress{};
    socketAddress.sun_family = AF_UNIX;
    // An abstract name starts with a NUL byte. libdbus refuses a name of more
    // than 99 bytes, counting that NUL, and gives no NUL at the end of either.
    const std::size_t offset = abstract ? 1 : 0;
    const std::size_t length = offset + std::size_t(name.size());
    if (length > longestSocketName) {
        return {Attempt::Kind::failed};
    }
    std::memcpy(socketAddress.sun_path + offset, name.constData(), std::size_t(name.size()));
    const auto addressLength = socklen_t(offsetof(sockaddr_un, sun_path) + length);
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (descriptor < 0) {
        return {Attempt::Kind::cannotTell};
    }
    if (::connect(descriptor, reinterpret_cast<const sockaddr*>(&socketAddress), addressLength) ==
        0) {
        return {Attempt::Kind::connected, descriptor, true};
    }
    const int error = errno;
    ::close(descriptor);
    return {error == EAGAIN ? Attempt::Kind::stalled : Attempt::Kind::failed};
}

// libdbus looks the host up and connects to each address it has, in turn,
// without a bound.
Attempt connectTcpSocket(const MessageBusAddressEntry& entry, const QDeadlineTimer& deadline) {
    const auto port = entry.value("port");
    const auto family = entry.value("family");
    if (!port || entry.value("noncefile") || (family && *family != "ipv4" && *family != "ipv6")) {
        return {Attempt::Kind::failed};
    }
    const int addressFamily = !family ? AF_UNSPEC : *family == "ipv4" ? AF_INET : AF_INET6;
    const MessageBusHostLookup::Result lookup = MessageBusHostLookup::resolve(
        entry.value("host").value_or("localhost"), *port, addressFamily, deadline);
    // Without a thread of its own the lookup could not be given up: Qt's
    // connect would wait on it without a bound.
    if (lookup.outcome != MessageBusHostLookup::Outcome::found) {
        return {Attempt::Kind::stalled};
    }
    for (const auto& [address, length] : lookup.addresses) {
        const int descriptor =
            ::socket(address.ss_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (descriptor < 0) {
            continue;
        }
        if (::connect(descriptor, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
            return {Attempt::Kind::connected, descriptor, false};
        }
        if (errno == EINPROGRESS) {
            if (waitFor(descriptor, POLLOUT, deadline) == 0) {
                ::close(descriptor);
                return {Attempt::Kind::stalled};
            }
            int error = 0;
            socklen_t size = sizeof error;
            if (::getsockopt(descriptor, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0) {
                return {Attempt::Kind::connected, descriptor, false};
            }
        }
        ::close(descriptor);
    }
    return {Attempt::Kind::failed};
}

Attempt connectTo(const MessageBusAddressEntry& entry, const QDeadlineTimer& deadline) {
    if (entry.method == "unix") {
        return connectUnixSocket(entry);
    }
    if (entry.method == "tcp") {
        return connectTcpSocket(entry, deadline);
    }
    // These start a process or read a file to connect; any other method is
    // one libdbus does not know, and passes over.
    if (entry.method == "unixexec" || entry.method == "autolaunch" || entry.method == "nonce-tcp") {
        return {Attempt::Kind::cannotTell};
    }
    return {Attempt::Kind::failed};
}

bool sendSome(int descriptor, QByteArray& outbox) {
    const ssize_t sent = ::send(descriptor, outbox.constData(), std::size_t(outbox.size()),
                                MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent >= 0) {
        outbox.remove(0, sent);
        return true;
    }
    return errno == EAGAIN || errno == EINTR;
}

// Greets the bus on `descriptor` until it has answered; a closed connection
// is a bus that is not there, and one that sends more than a greeting holds
// does not answer.
Outcome converse(int descriptor, bool isUnixSocket, const QDeadlineTimer& deadline) {
    MessageBusGreeting greeting(isUnixSocket);
    QByteArray outbox = greeting.opening();
    while (!greeting.isAnswered()) {
        const short ready =
            waitFor(descriptor, short(POLLIN | (outbox.isEmpty() ? 0 : POLLOUT)), deadline);
        if (ready == 0) {
            return Outcome::doesNotAnswer;
        }
        if ((ready & POLLOUT) && !sendSome(descriptor, outbox)) {
            return Outcome::absent;
        }
        if (ready & (POLLIN | POLLHUP | POLLERR)) {
            char buffer[4096];
            const ssize_t count = ::recv(descriptor, buffer, sizeof buffer, MSG_DONTWAIT);
            if (count > 0) {
                outbox += greeting.take(QByteArrayView(buffer, count));
                if (greeting.hasGivenUp()) {
                    return Outcome::doesNotAnswer;
                }
            } else if (count == 0 || (errno != EAGAIN && errno != EINTR)) {
                return Outcome::absent;
            }
        }
    }
    return Outcome::answers;
}

} // namespace

Outcome MessageBusProbe::probe(const QString& address, std::chrono::milliseconds bound) {
    const QDeadlineTimer deadline(bound);
    if (address.isEmpty()) {
        return Outcome::cannotTell;
    }
    const auto entries = MessageBusAddressEntry::parse(address);
    if (!entries) {
        return Outcome::absent;
    }
    for (const MessageBusAddressEntry& entry : *entries) {
        const Attempt attempt = connectTo(entry, deadline);
        switch (attempt.kind) {
        case Attempt::Kind::failed:
            continue;
        case Attempt::Kind::stalled:
            return Outcome::doesNotAnswer;
        case Attempt::Kind::cannotTell:
            return Outcome::cannotTell;
        case Attempt::Kind::connected: {
            const Outcome outcome = converse(attempt.descriptor, attempt.isUnixSocket, deadline);
            ::close(attempt.descriptor);
            return outcome;
        }
        }
    }
    return Outcome::absent;
}

// Where the probe's thread hands its outcome over, for as long as the probe
// object is there to take it.
class MessageBusProbe::Handoff {
public:
    explicit Handoff(MessageBusProbe* receiver) : receiver_(receiver) {}

    void deliver(Outcome outcome) {
        const std::lock_guard lock(mutex_);
        if (receiver_) {
            QMetaObject::invokeMethod(
                receiver_, [receiver = receiver_, outcome] { emit receiver->finished(outcome); },
                Qt::QueuedConnection);
        }
    }

    void forget() {
        const std::lock_guard lock(mutex_);
        receiver_ = nullptr;
    }

private:
    std::mutex mutex_;
    MessageBusProbe* receiver_;
};

MessageBusProbe::MessageBusProbe(const QString& address, std::chrono::milliseconds bound,
                                 QObject* parent)
    : QObject(parent), handoff_(std::make_shared<Handoff>(this)) {
    try {
        std::thread([handoff = handoff_, address, bound] {
            handoff->deliver(probe(address, bound));
        }).detach();
    } catch (const std::system_error&) {
        // Without a thread of its own the probe cannot wait without blocking.
        handoff_->deliver(Outcome::doesNotAnswer);
    }
}

// A call already queued goes with the object.
MessageBusProbe::~MessageBusProbe() {
    handoff_->forget();
}
