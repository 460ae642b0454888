#include "System/CommandLinePingProbeRunner.h"

#include "System/CommandOperandGuard.h"
#include "System/CommandOutputReading.h"
#include "System/CommandParsers.h"
#include "System/CommandParsingError.h"
#include "System/NumberText.h"
#include "System/SaturatedWholeNumber.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QRegularExpression>

namespace {

const QString pingExecutable = QStringLiteral("/sbin/ping");
const QString ping6Executable = QStringLiteral("/sbin/ping6");
const QString ipconfigExecutable = QStringLiteral("/usr/sbin/ipconfig");
const QString netstatExecutable = QStringLiteral("/usr/sbin/netstat");

constexpr double shortestWaitSeconds = 0.001;
constexpr double secondsBetweenPackets = 1;

// Milliseconds rounded half away from zero, at least 1, as decimal text; a
// wait beyond any count saturates.
QString waitMillisecondsText(double waitSeconds) {
    return QString::number(saturatedWholeNumber(std::round(waitSeconds * 1000), 1));
}

// The reported loss; 100 when none was reported.
double packetLossPercent(const QString& output) {
    // Compiled once, not per poll.
    static const QRegularExpression expression(
        QStringLiteral(R"((?m)([0-9]+(?:\.[0-9]+)?)%\s+packet loss)"),
        QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch match = expression.match(output);
    if (!match.hasMatch() || match.capturedStart(1) < 0) {
        return 100;
    }
    return numberFromText(match.captured(1)).value_or(100);
}

PingProbeMeasurement measurementFromOutput(const QString& output) {
    const double loss = packetLossPercent(output);
    try {
        const PingRoundTripStatistics statistics =
            CommandParsers::parsePingRoundTripStatistics(output);
        return {statistics.averageMilliseconds, statistics.standardDeviationMilliseconds, loss,
                true};
    } catch (const CommandParsingError&) {
        return {std::nullopt, std::nullopt, loss, false};
    }
}

CommandRequest routerRequest(const QString& interfaceName, double timeout) {
    return {ipconfigExecutable,
            {QStringLiteral("getoption"), interfaceName, QStringLiteral("router")},
            timeout};
}

CommandRequest routingTableRequest(DefaultGatewayAddressFamily addressFamily, double timeout) {
    const QString family = addressFamily == DefaultGatewayAddressFamily::ipv4
                               ? QStringLiteral("inet")
                               : QStringLiteral("inet6");
    return {netstatExecutable, {QStringLiteral("-rn"), QStringLiteral("-f"), family}, timeout};
}

} // namespace

CommandLinePingProbeRunner::CommandLinePingProbeRunner(
    std::shared_ptr<CommandRunning> commandRunner, std::int64_t pingPacketCount,
    double commandTimeoutGracePeriod, WiFiInterfaceNameProvider wifiInterfaceNameProvider)
    : commandRunner_(std::move(commandRunner)), pingPacketCount_(pingPacketCount),
      commandTimeoutGracePeriod_(commandTimeoutGracePeriod),
      wifiInterfaceNameProvider_(std::move(wifiInterfaceNameProvider)) {}

CommandRequest CommandLinePingProbeRunner::commandRequest(const QString& target, double timeout,
                                                          std::int64_t pingPacketCount,
                                                          double gracePeriod) {
    const double waitSeconds = std::max(shortestWaitSeconds, timeout);
    const QString count = QString::number(pingPacketCount);
    const double packets = static_cast<double>(std::max<std::int64_t>(1, pingPacketCount));
    const double commandTimeout =
        waitSeconds * packets + (packets - 1) * secondsBetweenPackets + std::max(0.0, gracePeriod);
    // ping6 takes no per-packet wait.
    if (target.contains(u':')) {
        return {ping6Executable, {QStringLiteral("-c"), count, target}, commandTimeout};
    }
    return {pingExecutable,
            {QStringLiteral("-c"), count, QStringLiteral("-W"), waitMillisecondsText(waitSeconds),
             target},
            commandTimeout};
}

Async::Task<PingProbeMeasurement> CommandLinePingProbeRunner::performPing(QString target,
                                                                          double timeout) {
    // A target ping would read as an option is refused rather than run.
    if (!isSafeCommandOperand(target, u"-")) {
        co_return PingProbeMeasurement{std::nullopt, std::nullopt, 100, false};
    }
    const std::optional<QString> output =
        co_await outputOfAnyExit(*commandRunner_, commandRequest(target, timeout, pingPacketCount_,
                                                                 commandTimeoutGracePeriod_));
    if (!output) {
        co_return PingProbeMeasurement{std::nullopt, std::nullopt, 100, false};
    }
    co_return measurementFromOutput(*output);
}

// The Wi-Fi interface's own router first, then any default route; each step
// that fails passes on to the next.
Async::Task<std::optional<QString>>
CommandLinePingProbeRunner::resolveDefaultGateway(double timeout) {
    if (const std::optional<QString> interfaceName = wifiInterfaceNameProvider_()) {
        if (auto gateway = co_await resolveIPv4Gateway(*interfaceName, timeout)) {
            co_return gateway;
        }
        if (auto gateway = co_await resolveIPv6Gateway(*interfaceName, timeout)) {
            co_return gateway;
        }
    }
    if (auto gateway =
            co_await resolveAnyDefaultGateway(DefaultGatewayAddressFamily::ipv4, timeout)) {
        co_return gateway;
    }
    co_return co_await resolveAnyDefaultGateway(DefaultGatewayAddressFamily::ipv6, timeout);
}

Async::Task<std::optional<QString>>
CommandLinePingProbeRunner::resolveIPv4Gateway(QString interfaceName, double timeout) {
    const std::optional<QString> output =
        co_await outputOfSuccessfulExit(*commandRunner_, routerRequest(interfaceName, timeout));
    if (!output) {
        co_return std::nullopt;
    }
    try {
        co_return CommandParsers::parseInterfaceIPv4Address(*output);
    } catch (const CommandParsingError&) {
        co_return std::nullopt;
    }
}

Async::Task<std::optional<QString>>
CommandLinePingProbeRunner::resolveIPv6Gateway(QString interfaceName, double timeout) {
    co_return co_await defaultGatewayFromRoutingTable(DefaultGatewayAddressFamily::ipv6,
                                                      std::move(interfaceName), timeout);
}

Async::Task<std::optional<QString>>
CommandLinePingProbeRunner::resolveAnyDefaultGateway(DefaultGatewayAddressFamily addressFamily,
                                                     double timeout) {
    co_return co_await defaultGatewayFromRoutingTable(addressFamily, std::nullopt, timeout);
}

Async::Task<std::optional<QString>> CommandLinePingProbeRunner::defaultGatewayFromRoutingTable(
    DefaultGatewayAddressFamily addressFamily, std::optional<QString> preferredInterfaceName,
    double timeout) {
    const std::optional<QString> output = co_await outputOfSuccessfulExit(
        *commandRunner_, routingTableRequest(addressFamily, timeout));
    if (!output) {
        co_return std::nullopt;
    }
    try {
        co_return CommandParsers::parseDefaultGateway(*output, addressFamily,
                                                      preferredInterfaceName);
    } catch (const CommandParsingError&) {
        co_return std::nullopt;
    }
}
