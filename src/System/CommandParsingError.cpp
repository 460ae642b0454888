#include "System/CommandParsingError.h"

#include <array>

const char* CommandParsingError::what() const noexcept {
    static constexpr std::array<const char*, std::variant_size_v<Case>> descriptions{
        "the command's output lacks the expected pattern",
        "a field of the command's output is not a number",
        "the command's output is not a valid IP address",
    };
    return descriptions[case_.index()];
}
