#pragma once

#include "Platform/Network/NetworkInterface.h"
#include "Platform/Network/NetworkPathStatus.h"

#include <algorithm>
#include <vector>

// The state of the network as the path monitor sees it: whether traffic can
// leave the machine, and through which interfaces (none when unsatisfied).
struct NetworkPath {
    NetworkPathStatus status = NetworkPathStatus::unsatisfied;
    std::vector<NetworkInterface> interfaces;

    bool usesInterfaceType(NetworkInterfaceType type) const {
        return std::any_of(
            interfaces.begin(), interfaces.end(),
            [type](const NetworkInterface& interface) { return interface.type == type; });
    }

    bool operator==(const NetworkPath&) const = default;
};
