#include "Support/NumberText.h"

#include <charconv>

namespace tools {

namespace {

std::optional<std::uint64_t> parseWhole(std::string_view text, int base) {
    std::uint64_t value = 0;
    const auto* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<std::uint64_t> parseDecimal(std::string_view text) {
    return parseWhole(text, 10);
}

std::optional<std::uint64_t> parseHexadecimal(std::string_view text) {
    return parseWhole(text, 16);
}

} // namespace tools
