#pragma once

#include "Platform/Network/NetworkPath.h"

#include <functional>

// Watches the network path: once started, reports the current path, then a
// path whenever the routing state may have changed (possibly an equal one),
// each on the monitor's own thread.
class NetworkPathMonitoring {
public:
    using PathUpdateHandler = std::function<void(const NetworkPath&)>;

    virtual ~NetworkPathMonitoring() = default;

    // Set before start().
    virtual void setPathUpdateHandler(PathUpdateHandler handler) = 0;
    // Starts watching; a second call, or a call after cancel(), does nothing.
    virtual void start() = 0;
    // Stops watching. Once it returns, the handler is not running and will
    // never run again. Not to be called from the handler.
    virtual void cancel() = 0;
};
