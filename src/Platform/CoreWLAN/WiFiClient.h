#pragma once

#include "Platform/CoreWLAN/WLANInterface.h"
#include "Platform/CoreWLAN/WLANNetwork.h"

#include <memory>
#include <optional>
#include <vector>

// The machine's Wi-Fi client. Both calls are safe from any thread.
class WiFiClient {
public:
    virtual ~WiFiClient() = default;

    // The current Wi-Fi interface, or none when the machine has none. Takes a
    // few milliseconds at most: it is read several times a second on the main
    // thread.
    virtual std::optional<WLANInterface> currentInterface() = 0;

    // Scans for every nearby network on the current interface, blocking until
    // the scan is done; throws WLANError when it cannot.
    virtual std::vector<WLANNetwork> scanForNetworks() = 0;

    // A new client of the backend PELMOR_WLAN_BACKEND names: "simulated" for
    // the simulated Wi-Fi, anything else (or nothing) for the kernel's nl80211.
    static std::shared_ptr<WiFiClient> fromEnvironment();

    // The process's client, made by fromEnvironment() on first use.
    static std::shared_ptr<WiFiClient> shared();
};
