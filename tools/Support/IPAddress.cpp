#include "Support/IPAddress.h"

#include <algorithm>
#include <arpa/inet.h>
#include <bit>

namespace tools {

namespace {

constexpr std::array<std::uint8_t, 12> mappedPrefix{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff};

template <std::size_t size> int leadingOnes(const std::array<std::uint8_t, size>& mask) {
    int count = 0;
    for (const auto byte : mask) {
        const auto ones = std::countl_one(byte);
        count += ones;
        if (ones < 8) {
            break;
        }
    }
    return count;
}

} // namespace

std::string formatIPv4(const IPv4Address& address) {
    return std::to_string(address[0]) + '.' + std::to_string(address[1]) + '.' +
           std::to_string(address[2]) + '.' + std::to_string(address[3]);
}

std::string formatIPv6(const IPv6Address& address) {
    std::array<char, INET6_ADDRSTRLEN> text{};
    inet_ntop(AF_INET6, address.data(), text.data(), text.size());
    return text.data();
}

bool isUnspecified(const IPv6Address& address) {
    return std::ranges::all_of(address, [](auto byte) { return byte == 0; });
}

bool isLinkLocal(const IPv6Address& address) {
    return address[0] == 0xfe && (address[1] & 0xc0) == 0x80;
}

std::optional<IPv4Address> unmappedIPv4(const IPv6Address& address) {
    if (!std::equal(mappedPrefix.begin(), mappedPrefix.end(), address.begin())) {
        return std::nullopt;
    }
    return IPv4Address{address[12], address[13], address[14], address[15]};
}

IPv6Address mappedIPv4(const IPv4Address& address) {
    IPv6Address mapped{};
    std::copy(mappedPrefix.begin(), mappedPrefix.end(), mapped.begin());
    std::copy(address.begin(), address.end(), mapped.begin() + mappedPrefix.size());
    return mapped;
}

int prefixLength(const IPv4Address& mask) {
    return leadingOnes(mask);
}

int prefixLength(const IPv6Address& mask) {
    return leadingOnes(mask);
}

} // namespace tools
