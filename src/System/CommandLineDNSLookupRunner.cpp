#include "System/CommandLineDNSLookupRunner.h"

#include "System/CommandOperandGuard.h"
#include "System/CommandOutputReading.h"
#include "System/CommandParsers.h"
#include "System/CommandParsingError.h"
#include "System/SaturatedWholeNumber.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// dig's own per-try wait: whole seconds, rounded up, at least 1; a time-out
// beyond any count (or not a number at all) saturates.
QString digTimeArgument(double timeout) {
    return QStringLiteral("+time=") + QString::number(saturatedWholeNumber(std::ceil(timeout), 1));
}

// The system's configured resolver, default record type, a single try; the
// command itself may run for the whole time-out.
CommandRequest digRequest(const QString& domain, double timeout) {
    return {QStringLiteral("/usr/bin/dig"),
            {digTimeArgument(timeout), QStringLiteral("+tries=1"), domain},
            timeout};
}

DNSLookupMeasurement measurementFromOutput(const QString& output) {
    try {
        return {CommandParsers::parseDigQueryTimeMilliseconds(output), true};
    } catch (const CommandParsingError&) {
        return {std::nullopt, false};
    }
}

} // namespace

CommandLineDNSLookupRunner::CommandLineDNSLookupRunner(
    std::shared_ptr<CommandRunning> commandRunner)
    : commandRunner_(std::move(commandRunner)) {}

Async::Task<DNSLookupMeasurement> CommandLineDNSLookupRunner::lookup(QString domain,
                                                                     double timeout) {
    // A domain dig would read as an option (-), a query option (+) or a server
    // (@) is refused rather than run.
    if (!isSafeCommandOperand(domain, u"-+@")) {
        co_return DNSLookupMeasurement{std::nullopt, false};
    }
    const std::optional<QString> output =
        co_await outputOfAnyExit(*commandRunner_, digRequest(domain, timeout));
    if (!output) {
        co_return DNSLookupMeasurement{std::nullopt, false};
    }
    co_return measurementFromOutput(*output);
}
