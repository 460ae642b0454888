#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

// Runs a program with arguments (no shell) and hands each line of its standard output to onLine
// as it arrives, without the line feed; its standard error is this process's. The child is sent
// SIGTERM should this process die first, so a killed stand-in leaves no host tool behind.
// Returns the child's exit status, 128 + the signal number when a signal ended it, or none when
// it could not be started.
std::optional<int> runReadingLines(const std::string& program,
                                   const std::vector<std::string>& arguments,
                                   const std::function<void(std::string_view line)>& onLine);

} // namespace tools
