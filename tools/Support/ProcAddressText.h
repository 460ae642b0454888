#pragma once

#include "Support/IPAddress.h"

#include <optional>
#include <string_view>

namespace tools {

// /proc/net/tcp and /proc/net/route print an IPv4 address as eight hexadecimal digits: its
// network-order bytes read as one native-endian 32-bit word ("0100007F" is 127.0.0.1 on a
// little-endian machine).
std::optional<IPv4Address> decodeWordIPv4(std::string_view hex);

// /proc/net/tcp6 prints an IPv6 address as four such words.
std::optional<IPv6Address> decodeWordsIPv6(std::string_view hex);

// /proc/net/ipv6_route prints an IPv6 address as its sixteen bytes in order.
std::optional<IPv6Address> decodeBytesIPv6(std::string_view hex);

} // namespace tools
