#pragma once

#include "Platform/CoreWLAN/WLANChannelBand.h"

#include <cstdint>
#include <optional>

// A Wi-Fi channel: its number within its band.
struct WLANChannel {
    std::int64_t channelNumber = 0;
    WLANChannelBand channelBand = WLANChannelBand::unknown;

    // The channel at a centre frequency, numbered as the kernel numbers it:
    // 2412 to 2484 MHz is 2.4 GHz, 5150 to 5895 MHz is 5 GHz, 5925 to 7125 MHz
    // is 6 GHz. Any other frequency gives no channel.
    static std::optional<WLANChannel> fromFrequency(std::int64_t megahertz);

    bool operator==(const WLANChannel&) const = default;
};
