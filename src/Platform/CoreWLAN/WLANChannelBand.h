#pragma once

#include <cstdint>

// The band of a Wi-Fi channel, numbered as the platform numbers it. Any other
// value can occur and means a band the platform does not know.
enum class WLANChannelBand : std::int32_t {
    unknown = 0,
    band2GHz = 1,
    band5GHz = 2,
    band6GHz = 3,
};
