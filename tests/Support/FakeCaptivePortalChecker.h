#pragma once

#include "System/CaptivePortalChecking.h"

// Answers every check with `measurement`.
class FakeCaptivePortalChecker final : public CaptivePortalChecking {
public:
    CaptivePortalDetectionMeasurement measurement = CaptivePortalDetectionMeasurement::notCaptive();

    Async::Task<CaptivePortalDetectionMeasurement> checkForCaptivePortal(double) override {
        co_return measurement;
    }
};
