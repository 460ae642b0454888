#pragma once

#include "System/TCPConnectionCounting.h"

// A scripted connection counter: answers every count with `measurement`.
class FakeTCPConnectionCounter final : public TCPConnectionCounting {
public:
    TCPConnectionMeasurement measurement{TCPConnectionStateCounts{0, 0, 0}, true};
    int fetchCount = 0;

    Async::Task<TCPConnectionMeasurement> fetchConnectionCounts(double) override {
        ++fetchCount;
        co_return measurement;
    }
};
