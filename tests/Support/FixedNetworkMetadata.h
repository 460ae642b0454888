#pragma once

#include "System/WiFiNetworkMetadataResolving.h"

// An interface address and VPN state that never change.
class FixedNetworkMetadata final : public WiFiNetworkMetadataResolving {
public:
    std::optional<QString> address = QStringLiteral("192.168.1.20");
    bool vpn = false;

    Async::Task<std::optional<QString>> ipv4Address(QString) override { co_return address; }
    Async::Task<bool> isVPNActive() override { co_return vpn; }
};
