#include "System/CommandLineTCPConnectionCounter.h"

#include "System/CommandOutputReading.h"
#include "System/CommandParsers.h"

#include <utility>

namespace {

// Numeric addresses, TCP only, every address family.
CommandRequest connectionTableRequest(double timeout) {
    return {QStringLiteral("/usr/sbin/netstat"),
            {QStringLiteral("-n"), QStringLiteral("-p"), QStringLiteral("tcp")},
            timeout};
}

} // namespace

CommandLineTCPConnectionCounter::CommandLineTCPConnectionCounter(
    std::shared_ptr<CommandRunning> commandRunner)
    : commandRunner_(std::move(commandRunner)) {}

Async::Task<TCPConnectionMeasurement>
CommandLineTCPConnectionCounter::fetchConnectionCounts(double timeout) {
    const std::optional<QString> output =
        co_await outputOfAnyInformativeExit(*commandRunner_, connectionTableRequest(timeout));
    if (!output) {
        co_return TCPConnectionMeasurement{std::nullopt, false};
    }
    co_return TCPConnectionMeasurement{CommandParsers::parseTCPConnectionStateCounts(*output),
                                       true};
}
