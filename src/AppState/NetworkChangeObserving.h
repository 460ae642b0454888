#pragma once

#include <functional>

// Tells its owner, on the main thread, that the network under the machine has
// changed: its status or the kinds of interface in use.
class NetworkChangeObserving {
public:
    using Callback = std::function<void()>;

    virtual ~NetworkChangeObserving() = default;

    // Empty when unset.
    virtual Callback onNetworkChange() const = 0;
    virtual void setOnNetworkChange(Callback callback) = 0;

    virtual void start() = 0;
    virtual void stop() = 0;
};
