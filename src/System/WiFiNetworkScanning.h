#pragma once

#include "Platform/Async/Task.h"
#include "System/WiFiScannedNetwork.h"

#include <vector>

// Scans the nearby Wi-Fi networks.
class WiFiNetworkScanning {
public:
    virtual ~WiFiNetworkScanning() = default;

    // One network per network seen, in no particular order; an empty list
    // when none was seen. Throws when the scan fails.
    virtual Async::Task<std::vector<WiFiScannedNetwork>> scanNetworks() = 0;
};
