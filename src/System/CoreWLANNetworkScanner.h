#pragma once

#include "Platform/CoreWLAN/WiFiClient.h"
#include "System/WiFiNetworkScanning.h"

#include <memory>

// Scans the nearby networks through the platform's Wi-Fi client, on the
// thread pool: the platform's scan blocks for seconds. It keeps nothing
// between scans and neither filters, merges, sorts nor retries.
class CoreWLANNetworkScanner final : public WiFiNetworkScanning {
public:
    explicit CoreWLANNetworkScanner(std::shared_ptr<WiFiClient> client = WiFiClient::shared());

    // Throws WiFiNetworkScannerError::interfaceUnavailable without a Wi-Fi
    // interface, and the platform's WLANError unchanged when its scan fails.
    Async::Task<std::vector<WiFiScannedNetwork>> scanNetworks() override;

    // The blocking scan itself, on the calling thread.
    static std::vector<WiFiScannedNetwork> scan(WiFiClient& client);

private:
    std::shared_ptr<WiFiClient> client_;
};
