#pragma once

#include "System/WiFiInterfaceSnapshot.h"

#include <optional>

// Reads the current Wi-Fi interface.
class WiFiInterfaceProviding {
public:
    virtual ~WiFiInterfaceProviding() = default;

    // None when there is no Wi-Fi interface or it is not associated with a
    // network. Synchronous and cheap enough for the main thread.
    virtual std::optional<WiFiInterfaceSnapshot> currentSnapshot() = 0;
};
