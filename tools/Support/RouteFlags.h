#pragma once

#include <string>

namespace tools {

// The BSD flag letters of a route in netstat's order: U (up), G (gateway), H (host),
// R (reject), D (dynamic), M (modified). A route to a full-length prefix is a host route
// whether or not the kernel marked it so.
std::string routeFlagLetters(unsigned kernelFlags, bool isFullLengthPrefix);

} // namespace tools
