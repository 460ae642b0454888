#include "Support/TextLines.h"

namespace tools {

namespace {

std::vector<std::string_view> splitAtAny(std::string_view text, std::string_view separators) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find_first_of(separators, start);
        const auto length = (end == std::string_view::npos ? text.size() : end) - start;
        if (length > 0) {
            pieces.push_back(text.substr(start, length));
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return pieces;
}

} // namespace

std::vector<std::string_view> splitLines(std::string_view text) {
    return splitAtAny(text, "\r\n");
}

std::vector<std::string_view> splitFields(std::string_view line) {
    return splitAtAny(line, " \t\r\n\v\f");
}

} // namespace tools
