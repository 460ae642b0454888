#pragma once

#include "Support/UnixListener.h"

#include <optional>
#include <vector>

#include <QByteArray>

// A listener whose queue of connections not yet accepted is full, as a server
// that has stopped accepting leaves it: a connect to it does not complete
// (a unix socket's waits without end, a tcp one's until the kernel gives up,
// minutes on). At a unix socket path, or at a free tcp port on 127.0.0.1.
class FullBacklogListener {
public:
    explicit FullBacklogListener(const QByteArray& unixPath);
    FullBacklogListener();
    ~FullBacklogListener();
    FullBacklogListener(const FullBacklogListener&) = delete;
    FullBacklogListener& operator=(const FullBacklogListener&) = delete;

    // Listening, with its queue filled.
    bool isFull() const { return isFull_; }
    // The tcp listener's port.
    quint16 port() const { return port_; }

private:
    void fill(int domain, const void* address, unsigned addressSize, int connections);

    std::optional<UnixListener> unixListener_;
    int tcpListener_ = -1;
    quint16 port_ = 0;
    std::vector<int> fillers_;
    bool isFull_ = false;
};
