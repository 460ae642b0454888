#pragma once

#include "Core/DomainModels.h"

#include <optional>

#include <QUrl>

// The outcome of one captive-portal check.
struct CaptivePortalDetectionMeasurement {
    bool isCaptivePortal = false;
    // Where the portal sends the user, when known.
    std::optional<QUrl> portalURL;
    // The probe page that revealed the portal.
    std::optional<QUrl> probeURL;
    CaptivePortalDetectionReason reason = CaptivePortalDetectionReason::none;
    // At least one probe page answered.
    bool didSucceed = false;

    // No portal, and at least one probe answered.
    static CaptivePortalDetectionMeasurement notCaptive();
    // No probe answered.
    static CaptivePortalDetectionMeasurement failed();

    bool operator==(const CaptivePortalDetectionMeasurement&) const = default;
};
