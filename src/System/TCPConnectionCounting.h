#pragma once

#include "Platform/Async/Task.h"
#include "System/TCPConnectionMeasurement.h"

// Counts the machine's established, time-wait and close-wait TCP
// connections. Never throws.
class TCPConnectionCounting {
public:
    virtual ~TCPConnectionCounting() = default;
    virtual Async::Task<TCPConnectionMeasurement> fetchConnectionCounts(double timeout) = 0;
};
