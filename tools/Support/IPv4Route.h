#pragma once

#include "Support/IPAddress.h"

#include <string>
#include <string_view>
#include <vector>

namespace tools {

// One row of /proc/net/route (the main routing table).
struct IPv4Route {
    std::string interfaceName;
    IPv4Address destination{};
    int prefixLength = 0;
    IPv4Address gateway{};
    unsigned flags = 0; // RTF_* bits
    unsigned metric = 0;

    bool operator==(const IPv4Route&) const = default;
};

// The routes in the text of /proc/net/route; the header and malformed rows are skipped.
std::vector<IPv4Route> parseProcNetRoute(std::string_view text);

} // namespace tools
