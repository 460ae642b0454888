#pragma once

#include "Platform/Async/Task.h"

#include <optional>

#include <QString>

// What the Wi-Fi reading needs beyond the radio: the interface's IPv4 address
// and whether a VPN tunnel is up. Neither operation throws; both may run at
// the same time.
class WiFiNetworkMetadataResolving {
public:
    virtual ~WiFiNetworkMetadataResolving() = default;

    // None when the interface has no IPv4 address or it cannot be found out.
    virtual Async::Task<std::optional<QString>> ipv4Address(QString interfaceName) = 0;

    // False when no tunnel interface exists or it cannot be found out.
    virtual Async::Task<bool> isVPNActive() = 0;
};
