#include "Platform/CoreWLAN/WLANChannel.h"

std::optional<WLANChannel> WLANChannel::fromFrequency(std::int64_t megahertz) {
    if (megahertz >= 2412 && megahertz <= 2484) {
        // Channel 14 (Japan) sits 12 MHz above channel 13, off the 5 MHz grid.
        const std::int64_t number = megahertz == 2484 ? 14 : (megahertz - 2407) / 5;
        return WLANChannel{number, WLANChannelBand::band2GHz};
    }
    if (megahertz >= 5150 && megahertz <= 5895) {
        return WLANChannel{(megahertz - 5000) / 5, WLANChannelBand::band5GHz};
    }
    if (megahertz >= 5925 && megahertz <= 7125) {
        // Channel 2 is the one 6 GHz channel off the grid that starts at 5950 MHz.
        const std::int64_t number = megahertz == 5935 ? 2 : (megahertz - 5950) / 5;
        return WLANChannel{number, WLANChannelBand::band6GHz};
    }
    return std::nullopt;
}
