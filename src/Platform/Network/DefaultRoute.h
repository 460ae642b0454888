#pragma once

#include <cstdint>
#include <vector>

// A unicast route to everywhere (0.0.0.0/0 or ::/0) in the main routing table.
struct DefaultRoute {
    enum class Family { ipv4, ipv6 };

    Family family = Family::ipv4;
    std::uint32_t metric = 0;
    // The outgoing interfaces: one, or one per next hop of a multipath route.
    std::vector<int> interfaceIndices;

    bool operator==(const DefaultRoute&) const = default;
};
