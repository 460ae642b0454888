#pragma once

#include "Support/IPAddress.h"

#include <optional>
#include <string>
#include <vector>

namespace tools {

struct InterfaceIPv4Address {
    IPv4Address address{};
    IPv4Address netmask{};
    std::optional<IPv4Address> broadcast;   // on broadcast interfaces
    std::optional<IPv4Address> destination; // the peer of a point-to-point interface

    bool operator==(const InterfaceIPv4Address&) const = default;
};

struct InterfaceIPv6Address {
    IPv6Address address{};
    int prefixLength = 0;

    bool operator==(const InterfaceIPv6Address&) const = default;
};

// An interface as ifconfig lists it, with its Linux name and flags.
struct NetworkInterface {
    std::string name;
    unsigned index = 0;
    unsigned flags = 0; // Linux IFF_* bits
    int mtu = 0;
    std::vector<InterfaceIPv4Address> ipv4Addresses;
    std::vector<InterfaceIPv6Address> ipv6Addresses;

    bool operator==(const NetworkInterface&) const = default;
};

} // namespace tools
