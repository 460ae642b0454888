#include "Support/FullBacklogListener.h"

#include <arpa/inet.h>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// A unix socket's backlog of 0 queues one connection, a tcp one's of 1 two
// (one of 0 would take the first by a SYN cookie, logged as a flood).
FullBacklogListener::FullBacklogListener(const QByteArray& unixPath) {
    unixListener_.emplace(unixPath, 0);
    if (!unixListener_->isListening()) {
        return;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, unixPath.constData(), std::size_t(unixPath.size()));
    fill(AF_UNIX, &address, sizeof address, 1);
}

FullBacklogListener::FullBacklogListener() {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t addressSize = sizeof address;
    tcpListener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (::bind(tcpListener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(tcpListener_, 1) != 0 ||
        ::getsockname(tcpListener_, reinterpret_cast<sockaddr*>(&address), &addressSize) != 0) {
        return;
    }
    port_ = ntohs(address.sin_port);
    fill(AF_INET, &address, sizeof address, 2);
}

FullBacklogListener::~FullBacklogListener() {
    for (const int filler : fillers_) {
        ::close(filler);
    }
    if (tcpListener_ >= 0) {
        ::close(tcpListener_);
    }
}

void FullBacklogListener::fill(int domain, const void* address, unsigned addressSize,
                               int connections) {
    isFull_ = true;
    for (int made = 0; made < connections; ++made) {
        fillers_.push_back(::socket(domain, SOCK_STREAM | SOCK_CLOEXEC, 0));
        isFull_ = isFull_ && ::connect(fillers_.back(), static_cast<const sockaddr*>(address),
                                       addressSize) == 0;
    }
}
