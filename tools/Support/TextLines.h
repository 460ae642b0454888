#pragma once

#include <string_view>
#include <vector>

namespace tools {

// The non-empty lines of a text, without their line terminators ("\n" or "\r\n").
std::vector<std::string_view> splitLines(std::string_view text);

// The whitespace-separated fields of a line.
std::vector<std::string_view> splitFields(std::string_view line);

} // namespace tools
