#pragma once

#include <QString>

struct DBusConnection;

// A hung service: a connection to a bus that owns `name` and never reads what
// comes to it, so that no call to the name is ever answered. Closed with its
// scope.
class SilentNameOwner {
public:
    SilentNameOwner(const QString& busAddress, const QString& name);
    ~SilentNameOwner();
    SilentNameOwner(const SilentNameOwner&) = delete;
    SilentNameOwner& operator=(const SilentNameOwner&) = delete;

    bool ownsName() const { return ownsName_; }

private:
    DBusConnection* connection_ = nullptr;
    bool ownsName_ = false;
};
