#pragma once

#include <optional>
#include <sys/socket.h>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QDeadlineTimer>

// Looks a bus's host up as libdbus does (getaddrinfo), on a thread of its own,
// so that a lookup that does not answer is given up at the deadline. A lookup
// that never returns keeps its thread, so at most one is in flight per host,
// port and family: a later probe of the same entry waits for that one.
namespace MessageBusHostLookup {

using SocketAddresses = std::vector<std::pair<sockaddr_storage, socklen_t>>;

enum class Outcome {
    found,
    // The lookup did not end by the deadline.
    late,
    // No thread could be started for it.
    notStarted,
};

struct Result {
    Outcome outcome;
    SocketAddresses addresses;
};

Result resolve(const QByteArray& host, const QByteArray& port, int family,
               const QDeadlineTimer& deadline);

} // namespace MessageBusHostLookup
