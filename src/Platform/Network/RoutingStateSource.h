#pragma once

#include "Platform/Network/RoutingState.h"

// Where the path monitor's thread reads the routing state and learns that it
// may have changed. Changes are watched from construction on, so none is lost
// between construction and the first read. Failures throw std::system_error.
class RoutingStateSource {
public:
    virtual ~RoutingStateSource() = default;

    // The current interfaces and default routes.
    virtual RoutingState readState() = 0;

    // Blocks until the state may have changed (true) or until interrupt() has
    // been called (false).
    virtual bool waitForChange() = 0;

    // Safe from any thread: makes the pending and every later waitForChange()
    // return false.
    virtual void interrupt() = 0;
};
