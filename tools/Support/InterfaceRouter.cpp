#include "Support/InterfaceRouter.h"

#include <net/route.h>

namespace tools {

namespace {

bool isDefaultRouteViaGateway(const IPv4Route& route, std::string_view interfaceName) {
    constexpr unsigned required = RTF_UP | RTF_GATEWAY;
    return route.prefixLength == 0 && (route.flags & required) == required &&
           route.interfaceName == interfaceName;
}

} // namespace

std::optional<IPv4Address> interfaceRouter(const std::vector<IPv4Route>& routes,
                                           std::string_view interfaceName) {
    const IPv4Route* best = nullptr;
    for (const auto& route : routes) {
        if (isDefaultRouteViaGateway(route, interfaceName) &&
            (best == nullptr || route.metric < best->metric)) {
            best = &route;
        }
    }
    if (best == nullptr) {
        return std::nullopt;
    }
    return best->gateway;
}

} // namespace tools
