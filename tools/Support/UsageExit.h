#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tools {

// Exit status of a tool run with an invocation it does not handle (sysexits EX_USAGE).
inline constexpr int usageExitStatus = 64;

// Writes "usage: <synopsis>" to standard error and returns usageExitStatus.
int reportUsage(std::string_view synopsis);

// The command-line arguments after the program name.
std::vector<std::string> argumentsOf(int argc, char** argv);

} // namespace tools
