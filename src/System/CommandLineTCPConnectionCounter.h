#pragma once

#include "System/CommandRunning.h"
#include "System/TCPConnectionCounting.h"

#include <memory>

// Counts the rows of netstat's TCP connection table. A table printed by a run
// that exited non-zero still counts; any other failure gives no counts.
class CommandLineTCPConnectionCounter final : public TCPConnectionCounting {
public:
    explicit CommandLineTCPConnectionCounter(std::shared_ptr<CommandRunning> commandRunner);

    Async::Task<TCPConnectionMeasurement> fetchConnectionCounts(double timeout) override;

private:
    const std::shared_ptr<CommandRunning> commandRunner_;
};
