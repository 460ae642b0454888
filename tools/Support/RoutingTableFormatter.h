#pragma once

#include "Support/IPv4Route.h"
#include "Support/IPv6Route.h"

#include <functional>
#include <string>
#include <vector>

namespace tools {

// The interface index of an interface name (0 when unknown).
using InterfaceIndexLookup = std::function<unsigned(const std::string& interfaceName)>;

// The routing tables of "netstat -rn -f inet" and "netstat -rn -f inet6" in the BSD shape:
//
//   Routing tables
//
//   Internet:
//   Destination        Gateway            Flags      Netif Expire
//   default            192.0.2.1          UG         eth0
//   192.0.2.0/24       link#2             U          eth0
//
// The zero-length prefix is "default"; other networks are "address/length", host routes the
// bare address. A route without a next hop shows "link#<interface index>" as its gateway.
// IPv6 link-local addresses carry the interface as zone suffix ("fe80::1%eth0"). Interfaces
// keep their own names. No route has an expiry. Long texts widen their column.
std::string formatIPv4RoutingTable(const std::vector<IPv4Route>& routes,
                                   const InterfaceIndexLookup& interfaceIndex);
std::string formatIPv6RoutingTable(const std::vector<IPv6Route>& routes,
                                   const InterfaceIndexLookup& interfaceIndex);

} // namespace tools
