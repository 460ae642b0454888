#pragma once

#include "Support/IPAddress.h"

#include <string>
#include <string_view>
#include <vector>

namespace tools {

// One row of /proc/net/ipv6_route (every routing table).
struct IPv6Route {
    std::string interfaceName;
    IPv6Address destination{};
    int prefixLength = 0;
    IPv6Address nextHop{};
    unsigned flags = 0; // RTF_* bits
    unsigned metric = 0;

    bool operator==(const IPv6Route&) const = default;
};

// The routes in the text of /proc/net/ipv6_route; malformed rows are skipped.
std::vector<IPv6Route> parseProcNetIPv6Route(std::string_view text);

} // namespace tools
