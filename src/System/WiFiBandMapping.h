#pragma once

#include "Core/DomainModels.h"
#include "Platform/CoreWLAN/WLANChannelBand.h"

// The band of a platform channel: 2 GHz, 5 GHz and 6 GHz as themselves, every
// other value (the platform's unknown band included) as `unknown`.
WiFiBand wifiBand(WLANChannelBand channelBand);
