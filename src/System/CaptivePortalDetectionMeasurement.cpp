#include "System/CaptivePortalDetectionMeasurement.h"

CaptivePortalDetectionMeasurement CaptivePortalDetectionMeasurement::notCaptive() {
    return {false, std::nullopt, std::nullopt, CaptivePortalDetectionReason::none, true};
}

CaptivePortalDetectionMeasurement CaptivePortalDetectionMeasurement::failed() {
    return {false, std::nullopt, std::nullopt, CaptivePortalDetectionReason::none, false};
}
