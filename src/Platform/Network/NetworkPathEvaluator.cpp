#include "Platform/Network/NetworkPathEvaluator.h"

#include <limits>
#include <map>
#include <set>

namespace NetworkPathEvaluator {

namespace {

std::map<int, const NetworkLink*> usableLinksByIndex(const std::vector<NetworkLink>& links) {
    std::map<int, const NetworkLink*> usable;
    for (const NetworkLink& link : links) {
        if (link.isUp && link.isRunning && !link.isLoopback) {
            usable.emplace(link.index, &link);
        }
    }
    return usable;
}

// The interfaces of the preferred default routes of one family.
void addPreferredInterfaces(const std::vector<DefaultRoute>& routes, DefaultRoute::Family family,
                            const std::map<int, const NetworkLink*>& usable, std::set<int>& inUse) {
    std::uint32_t lowestMetric = std::numeric_limits<std::uint32_t>::max();
    std::set<int> preferred;
    for (const DefaultRoute& route : routes) {
        if (route.family != family || route.metric > lowestMetric) {
            continue;
        }
        std::set<int> usableHops;
        for (const int index : route.interfaceIndices) {
            if (usable.contains(index)) {
                usableHops.insert(index);
            }
        }
        if (usableHops.empty()) {
            continue;
        }
        if (route.metric < lowestMetric) {
            lowestMetric = route.metric;
            preferred.clear();
        }
        preferred.insert(usableHops.begin(), usableHops.end());
    }
    inUse.insert(preferred.begin(), preferred.end());
}

} // namespace

NetworkPath evaluate(const RoutingState& state, const SysfsInterfaceTypeClassifier& classifier) {
    const auto usable = usableLinksByIndex(state.links);
    std::set<int> inUse;
    addPreferredInterfaces(state.defaultRoutes, DefaultRoute::Family::ipv4, usable, inUse);
    addPreferredInterfaces(state.defaultRoutes, DefaultRoute::Family::ipv6, usable, inUse);

    NetworkPath path;
    path.status = inUse.empty() ? NetworkPathStatus::unsatisfied : NetworkPathStatus::satisfied;
    for (const int index : inUse) {
        const NetworkLink& link = *usable.at(index);
        path.interfaces.push_back({link.name, classifier.classify(link.name)});
    }
    return path;
}

} // namespace NetworkPathEvaluator
