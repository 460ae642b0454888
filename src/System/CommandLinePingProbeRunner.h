#pragma once

#include "System/CommandRequest.h"
#include "System/CommandRunning.h"
#include "System/DefaultGatewayAddressFamily.h"
#include "System/PingProbeRunning.h"
#include "System/WiFiInterfaceNameProvider.h"

#include <cstdint>
#include <memory>

// Pings with /sbin/ping or /sbin/ping6 and finds the default router with
// ipconfig and netstat. Every failure is folded into the result. Holds no
// mutable state.
class CommandLinePingProbeRunner final : public PingProbeRunning {
public:
    // `pingPacketCount` is the "-c" value; `commandTimeoutGracePeriod` (seconds,
    // negative counts as 0) is added to the ping command's time-out.
    CommandLinePingProbeRunner(
        std::shared_ptr<CommandRunning> commandRunner, std::int64_t pingPacketCount,
        double commandTimeoutGracePeriod,
        WiFiInterfaceNameProvider wifiInterfaceNameProvider = wifiClientInterfaceNameProvider());

    Async::Task<PingProbeMeasurement> performPing(QString target, double timeout) override;
    Async::Task<std::optional<QString>> resolveDefaultGateway(double timeout) override;

private:
    static CommandRequest commandRequest(const QString& target, double timeout,
                                         std::int64_t pingPacketCount, double gracePeriod);

    Async::Task<std::optional<QString>> resolveIPv4Gateway(QString interfaceName, double timeout);
    Async::Task<std::optional<QString>> resolveIPv6Gateway(QString interfaceName, double timeout);
    Async::Task<std::optional<QString>>
    resolveAnyDefaultGateway(DefaultGatewayAddressFamily addressFamily, double timeout);
    Async::Task<std::optional<QString>>
    defaultGatewayFromRoutingTable(DefaultGatewayAddressFamily addressFamily,
                                   std::optional<QString> preferredInterfaceName, double timeout);

    const std::shared_ptr<CommandRunning> commandRunner_;
    const std::int64_t pingPacketCount_;
    const double commandTimeoutGracePeriod_;
    const WiFiInterfaceNameProvider wifiInterfaceNameProvider_;
};
