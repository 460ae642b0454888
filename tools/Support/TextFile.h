#pragma once

#include <optional>
#include <string>

namespace tools {

// The whole content of a file, or none when it cannot be read.
std::optional<std::string> readTextFile(const std::string& path);

} // namespace tools
