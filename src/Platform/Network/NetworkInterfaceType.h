#pragma once

// The kind of a network interface a path uses.
enum class NetworkInterfaceType { wifi, wiredEthernet, cellular, other };
