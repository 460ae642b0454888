#pragma once

#include "System/LocationSettingsOpening.h"

// Counts how often the location settings were opened.
class CountingLocationSettingsOpener final : public LocationSettingsOpening {
public:
    int opens = 0;
    bool openLocationServicesPane() override {
        ++opens;
        return true;
    }
};
