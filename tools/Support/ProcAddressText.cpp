#include "Support/ProcAddressText.h"

#include "Support/NumberText.h"

#include <cstring>

namespace tools {

namespace {

constexpr std::size_t wordDigits = 8;

template <std::size_t size>
bool decodeWords(std::string_view hex, std::array<std::uint8_t, size>& bytes) {
    if (hex.size() != size * 2) {
        return false;
    }
    for (std::size_t word = 0; word < size / 4; ++word) {
        const auto value = parseHexadecimal(hex.substr(word * wordDigits, wordDigits));
        if (!value) {
            return false;
        }
        const auto native = static_cast<std::uint32_t>(*value);
        std::memcpy(bytes.data() + word * 4, &native, 4);
    }
    return true;
}

} // namespace

std::optional<IPv4Address> decodeWordIPv4(std::string_view hex) {
    IPv4Address address{};
    if (!decodeWords(hex, address)) {
        return std::nullopt;
    }
    return address;
}

std::optional<IPv6Address> decodeWordsIPv6(std::string_view hex) {
    IPv6Address address{};
    if (!decodeWords(hex, address)) {
        return std::nullopt;
    }
    return address;
}

std::optional<IPv6Address> decodeBytesIPv6(std::string_view hex) {
    IPv6Address address{};
    if (hex.size() != address.size() * 2) {
        return std::nullopt;
    }
    for (std::size_t index = 0; index < address.size(); ++index) {
        const auto value = parseHexadecimal(hex.substr(index * 2, 2));
        if (!value) {
            return std::nullopt;
        }
        address[index] = static_cast<std::uint8_t>(*value);
    }
    return address;
}

} // namespace tools
