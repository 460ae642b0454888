#include "System/CommandRunnerError.h"

#include <array>

const char* CommandRunnerError::what() const noexcept {
    static constexpr std::array<const char*, std::variant_size_v<Case>> descriptions{
        "the executable is not allowed",
        "the command could not be launched",
        "the command timed out",
        "the command was cancelled",
        "the command's output is not valid UTF-8",
        "the command exited with a non-zero status",
    };
    return descriptions[case_.index()];
}
