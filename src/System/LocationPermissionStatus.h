#pragma once

// Whether the application may use location, which on some platforms decides
// whether Wi-Fi readings carry the network name and the access point's address.
enum class LocationPermissionStatus {
    notDetermined,
    denied,
    restricted,
    authorized,
};
