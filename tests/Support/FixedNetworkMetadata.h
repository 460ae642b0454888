#pragma once

#include "Support/WaitToAnswer.h"
#include "System/WiFiNetworkMetadataResolving.h"

#include <utility>
#include <vector>

// An interface address and VPN state that never change, looked up in
// `lookupSeconds` on the runtime's (virtual) clock, or at once without
// suspending; records the interfaces asked for. A lookup cut short by
// cancellation finds nothing, as the real one does.
class FixedNetworkMetadata final : public WiFiNetworkMetadataResolving {
public:
    std::optional<QString> address = QStringLiteral("192.168.1.20");
    bool vpn = false;
    double lookupSeconds = 0;
    std::vector<QString> askedInterfaces;

    Async::Task<std::optional<QString>> ipv4Address(QString interfaceName) override {
        askedInterfaces.push_back(std::move(interfaceName));
        co_return co_await waitToAnswer(lookupSeconds) ? address : std::nullopt;
    }
    Async::Task<bool> isVPNActive() override {
        co_return co_await waitToAnswer(lookupSeconds) && vpn;
    }
};
