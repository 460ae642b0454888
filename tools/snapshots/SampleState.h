#pragma once

#include <QString>

// The situations the popover is drawn in: the three grades, no Wi-Fi,
// monitoring switched off, no location permission, a captive portal, and a
// newer build on offer.
enum class SampleState {
    good,
    warning,
    poor,
    disconnected,
    monitoringOff,
    locationNotAuthorized,
    captivePortal,
    updateAvailable,
};

// "good", "monitoring-off", ...: the state's part of a picture's name.
QString sampleStateName(SampleState state);
