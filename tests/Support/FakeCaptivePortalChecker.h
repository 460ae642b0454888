#pragma once

#include "Support/WaitToAnswer.h"
#include "System/CaptivePortalChecking.h"

// Answers every check with `measurement`, after `checkSeconds` on the
// runtime's (virtual) clock, or at once without suspending. A check cut short
// by cancellation fails, as the real one does.
class FakeCaptivePortalChecker final : public CaptivePortalChecking {
public:
    CaptivePortalDetectionMeasurement measurement = CaptivePortalDetectionMeasurement::notCaptive();
    double checkSeconds = 0;

    Async::Task<CaptivePortalDetectionMeasurement> checkForCaptivePortal(double) override {
        co_return co_await waitToAnswer(checkSeconds) ? measurement
                                                      : CaptivePortalDetectionMeasurement::failed();
    }
};
