#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tools {

// Translations of the BSD ping command lines to the arguments of iputils ping. Both add "-n"
// (no reverse lookups of repliers, as BSD ping by default) and pin the address family.
//
// ping "-c <count> -W <milliseconds> <target>" gives
//   "-4 -n -c <count> -W <seconds> <target>" (iputils waits in seconds, fractions allowed);
// ping6 "-c <count> <target>" gives "-6 -n -c <count> <target>".
// Count and wait must be whole numbers of at least 1 and the target must not look like an
// option; anything else gives none.
std::optional<std::vector<std::string>>
hostPingArguments(const std::vector<std::string>& arguments);
std::optional<std::vector<std::string>>
hostPing6Arguments(const std::vector<std::string>& arguments);

} // namespace tools
