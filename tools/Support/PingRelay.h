#pragma once

#include <string>
#include <vector>

namespace tools {

// Runs the host's iputils ping with the given arguments, printing its output line by line with
// the summary in the BSD shape (see PingSummaryRewriter), and returns BSD ping's exit status.
int relayHostPing(const std::vector<std::string>& hostArguments);

} // namespace tools
