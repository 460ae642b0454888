#pragma once

#include "Support/IPv4Route.h"

#include <optional>
#include <string_view>
#include <vector>

namespace tools {

// The router of an interface: the gateway of its IPv4 default route with the lowest metric
// (the first such route on a tie); none when the interface has no default route via a gateway.
std::optional<IPv4Address> interfaceRouter(const std::vector<IPv4Route>& routes,
                                           std::string_view interfaceName);

} // namespace tools
