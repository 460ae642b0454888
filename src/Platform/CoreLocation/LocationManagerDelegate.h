#pragma once

class LocationManager;

// Told by a location manager when the application's authorization may have changed.
class LocationManagerDelegate {
public:
    virtual ~LocationManagerDelegate() = default;
    virtual void locationManagerDidChangeAuthorization(LocationManager& manager) = 0;
};
