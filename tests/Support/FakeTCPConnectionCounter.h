#pragma once

#include "Support/WaitToAnswer.h"
#include "System/TCPConnectionCounting.h"

// A scripted connection counter: answers every count with `measurement`,
// after `countSeconds` on the runtime's (virtual) clock, or at once without
// suspending. A count cut short by cancellation fails, as the real one does.
class FakeTCPConnectionCounter final : public TCPConnectionCounting {
public:
    TCPConnectionMeasurement measurement{TCPConnectionStateCounts{0, 0, 0}, true};
    double countSeconds = 0;
    int fetchCount = 0;

    Async::Task<TCPConnectionMeasurement> fetchConnectionCounts(double) override {
        ++fetchCount;
        co_return co_await waitToAnswer(countSeconds)
            ? measurement
            : TCPConnectionMeasurement{std::nullopt, false};
    }
};
