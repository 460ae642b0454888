#pragma once

#include "Platform/Network/NetworkPath.h"
#include "Platform/Network/RoutingState.h"
#include "Platform/Network/SysfsInterfaceTypeClassifier.h"

// Computes the path from the routing state. An interface is usable when it is
// up, has its carrier and is not loopback. For each address family, the
// default routes over usable interfaces with the lowest metric are the ones
// traffic takes; their interfaces are the path's interfaces, in index order.
// The path is satisfied when there is at least one, unsatisfied otherwise.
// Addresses are not consulted: a default route is what lets traffic leave, and
// the kernel withdraws routes whose interface or next hop goes away.
namespace NetworkPathEvaluator {

NetworkPath evaluate(const RoutingState& state, const SysfsInterfaceTypeClassifier& classifier);

} // namespace NetworkPathEvaluator
