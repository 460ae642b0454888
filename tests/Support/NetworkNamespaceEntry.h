#pragma once

#include <QString>

// Moves the calling thread into a named network namespace for the scope's
// lifetime; sockets opened meanwhile belong to that namespace.
class NetworkNamespaceEntry {
public:
    explicit NetworkNamespaceEntry(const QString& namespaceName);
    ~NetworkNamespaceEntry();
    NetworkNamespaceEntry(const NetworkNamespaceEntry&) = delete;
    NetworkNamespaceEntry& operator=(const NetworkNamespaceEntry&) = delete;

    bool isEntered() const { return isEntered_; }

private:
    int original_;
    bool isEntered_ = false;
};
