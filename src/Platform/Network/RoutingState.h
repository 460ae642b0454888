#pragma once

#include "Platform/Network/DefaultRoute.h"
#include "Platform/Network/NetworkLink.h"

#include <vector>

// What the path is computed from: every interface and every default route.
struct RoutingState {
    std::vector<NetworkLink> links;
    std::vector<DefaultRoute> defaultRoutes;

    bool operator==(const RoutingState&) const = default;
};
