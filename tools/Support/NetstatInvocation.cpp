#include "Support/NetstatInvocation.h"

namespace tools {

std::optional<NetstatReport> netstatReportFor(const std::vector<std::string>& arguments) {
    using Arguments = std::vector<std::string>;
    if (arguments == Arguments{"-n", "-p", "tcp"}) {
        return NetstatReport::tcpConnections;
    }
    if (arguments == Arguments{"-rn", "-f", "inet"}) {
        return NetstatReport::ipv4RoutingTable;
    }
    if (arguments == Arguments{"-rn", "-f", "inet6"}) {
        return NetstatReport::ipv6RoutingTable;
    }
    return std::nullopt;
}

} // namespace tools
