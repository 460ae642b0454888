#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tools {

// The value of a text made only of decimal digits; none for anything else.
std::optional<std::uint64_t> parseDecimal(std::string_view text);

// The value of a text made only of hexadecimal digits (either case); none for anything else.
std::optional<std::uint64_t> parseHexadecimal(std::string_view text);

} // namespace tools
