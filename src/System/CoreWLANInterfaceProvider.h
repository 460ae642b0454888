#pragma once

#include "Platform/CoreWLAN/WiFiClient.h"
#include "System/WiFiInterfaceProviding.h"

#include <cstdint>
#include <memory>

// Reads the current Wi-Fi interface through the platform's Wi-Fi client. Each
// call reads once; nothing is kept between calls.
class CoreWLANInterfaceProvider final : public WiFiInterfaceProviding {
public:
    explicit CoreWLANInterfaceProvider(std::shared_ptr<WiFiClient> client = WiFiClient::shared());

    std::optional<WiFiInterfaceSnapshot> currentSnapshot() override;

    // The transmit rate rounded to whole Mbit/s, halves away from zero; none
    // when that is 0 or below, or when the rate is not finite or its rounded
    // value does not fit 64 bits.
    static std::optional<std::int64_t> linkRateMbps(double transmitRate);

private:
    std::shared_ptr<WiFiClient> client_;
};
