#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tools {

// Addresses as their network-order bytes.
using IPv4Address = std::array<std::uint8_t, 4>;
using IPv6Address = std::array<std::uint8_t, 16>;

std::string formatIPv4(const IPv4Address& address);

// The canonical compressed text ("fe80::1", "::ffff:192.0.2.1").
std::string formatIPv6(const IPv6Address& address);

bool isUnspecified(const IPv6Address& address);

// fe80::/10, whose text needs the interface as a zone suffix to be usable.
bool isLinkLocal(const IPv6Address& address);

// ::ffff:a.b.c.d as a.b.c.d; none for any other address.
std::optional<IPv4Address> unmappedIPv4(const IPv6Address& address);

// a.b.c.d as ::ffff:a.b.c.d.
IPv6Address mappedIPv4(const IPv4Address& address);

// The number of leading one bits of a network mask.
int prefixLength(const IPv4Address& mask);
int prefixLength(const IPv6Address& mask);

} // namespace tools
