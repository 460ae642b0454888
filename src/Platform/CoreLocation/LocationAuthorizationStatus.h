#pragma once

#include <cstdint>

// The application's location authorization, numbered as the platform numbers
// it. Any other value can occur.
enum class LocationAuthorizationStatus : std::int32_t {
    notDetermined = 0,
    restricted = 1,
    denied = 2,
    authorizedAlways = 3,
    authorizedWhenInUse = 4,
};
