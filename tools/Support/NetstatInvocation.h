#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tools {

enum class NetstatReport { tcpConnections, ipv4RoutingTable, ipv6RoutingTable };

// "-n -p tcp", "-rn -f inet" or "-rn -f inet6"; none for any other arguments.
std::optional<NetstatReport> netstatReportFor(const std::vector<std::string>& arguments);

} // namespace tools
