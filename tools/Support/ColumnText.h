#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tools {

// A text padded with spaces on the right (left-aligned) or left (right-aligned) to at least the
// given width; longer texts are kept whole.
std::string leftAligned(std::string_view text, std::size_t width);
std::string rightAligned(std::string_view text, std::size_t width);

} // namespace tools
