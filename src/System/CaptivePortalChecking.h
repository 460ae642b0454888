#pragma once

#include "Platform/Async/Task.h"
#include "System/CaptivePortalDetectionMeasurement.h"

// Decides whether a captive portal intercepts web traffic. Never throws:
// every failure is folded into the measurement.
class CaptivePortalChecking {
public:
    virtual ~CaptivePortalChecking() = default;
    virtual Async::Task<CaptivePortalDetectionMeasurement>
    checkForCaptivePortal(double timeout) = 0;
};
