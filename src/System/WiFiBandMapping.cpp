#include "System/WiFiBandMapping.h"

WiFiBand wifiBand(WLANChannelBand channelBand) {
    switch (channelBand) {
    case WLANChannelBand::band2GHz:
        return WiFiBand::twoPointFourGigahertz;
    case WLANChannelBand::band5GHz:
        return WiFiBand::fiveGigahertz;
    case WLANChannelBand::band6GHz:
        return WiFiBand::sixGigahertz;
    case WLANChannelBand::unknown:
        break;
    }
    return WiFiBand::unknown;
}
