#pragma once

#include <string>
#include <vector>

namespace tools {

// "+time=<seconds> +tries=1 <name>", seconds a whole number of at least 1 and the name one
// that dig cannot take for an option or a server.
bool isDigInvocation(const std::vector<std::string>& arguments);

} // namespace tools
