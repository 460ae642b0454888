// /usr/sbin/netstat: the TCP connection table ("-n -p tcp") and the IPv4 and IPv6 routing
// tables ("-rn -f inet", "-rn -f inet6") in the BSD shape, from the kernel's /proc/net tables.
#include "Support/ConnectionTableFormatter.h"
#include "Support/NetstatInvocation.h"
#include "Support/RoutingTableFormatter.h"
#include "Support/TextFile.h"
#include "Support/UsageExit.h"

#include <iostream>
#include <net/if.h>

namespace {

// A table whose file is missing has no rows (tcp6 and ipv6_route are absent when IPv6 is off).
std::string tableText(const std::string& path) {
    return tools::readTextFile(path).value_or("");
}

unsigned interfaceIndex(const std::string& interfaceName) {
    return if_nametoindex(interfaceName.c_str());
}

std::string report(tools::NetstatReport kind) {
    using tools::NetstatReport;
    switch (kind) {
    case NetstatReport::tcpConnections: {
        auto sockets =
            tools::parseProcNetTcp(tableText("/proc/net/tcp"), tools::ProcTcpTable::ipv4);
        const auto ipv6Sockets =
            tools::parseProcNetTcp(tableText("/proc/net/tcp6"), tools::ProcTcpTable::ipv6);
        sockets.insert(sockets.end(), ipv6Sockets.begin(), ipv6Sockets.end());
        return tools::formatConnectionTable(sockets);
    }
    case NetstatReport::ipv4RoutingTable:
        return tools::formatIPv4RoutingTable(tools::parseProcNetRoute(tableText("/proc/net/route")),
                                             interfaceIndex);
    case NetstatReport::ipv6RoutingTable:
        return tools::formatIPv6RoutingTable(
            tools::parseProcNetIPv6Route(tableText("/proc/net/ipv6_route")), interfaceIndex);
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    const auto kind = tools::netstatReportFor(tools::argumentsOf(argc, argv));
    if (!kind) {
        return tools::reportUsage("netstat -n -p tcp | netstat -rn -f inet | netstat -rn -f inet6");
    }
    std::cout << report(*kind);
    return 0;
}
