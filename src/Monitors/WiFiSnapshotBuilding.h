#pragma once

#include "Core/DomainModels.h"
#include "System/WiFiInterfaceSnapshot.h"

#include <optional>

#include <QString>

// A reading of the link from the interface's radio figures, with the
// signal-to-noise ratio worked out and the network details added.
WiFiSnapshot makeWiFiSnapshot(const WiFiInterfaceSnapshot& interface, Date timestamp,
                              std::optional<QString> ipAddress, bool isVPNActive);
