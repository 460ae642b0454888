#include "Support/ColumnText.h"

namespace tools {

namespace {

std::size_t paddingFor(std::string_view text, std::size_t width) {
    return text.size() < width ? width - text.size() : 0;
}

} // namespace

std::string leftAligned(std::string_view text, std::size_t width) {
    return std::string(text) + std::string(paddingFor(text, width), ' ');
}

std::string rightAligned(std::string_view text, std::size_t width) {
    return std::string(paddingFor(text, width), ' ') + std::string(text);
}

} // namespace tools
