#pragma once

// Opens the location-services section of the system settings.
class LocationSettingsOpening {
public:
    virtual ~LocationSettingsOpening() = default;

    // Whether some settings view was opened.
    virtual bool openLocationServicesPane() = 0;
};
