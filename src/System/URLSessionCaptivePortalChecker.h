#pragma once

#include "System/CaptivePortalChecking.h"
#include "System/CaptivePortalProbeEndpoint.h"
#include "System/CaptivePortalProbeFetching.h"

#include <memory>
#include <optional>
#include <vector>

// Fetches each probe page in turn, never in parallel: a redirect, or a page
// without its expected text, means a portal. Every endpoint is tried, so a
// portal that only a later probe reveals still wins over an earlier clean answer.
class URLSessionCaptivePortalChecker final : public CaptivePortalChecking {
public:
    // A plain HTTP "/hotspot-detect.html" expecting "Success", then an HTTPS
    // "/success.txt" expecting "success".
    static const std::vector<CaptivePortalProbeEndpoint>& defaultProbeEndpoints();

    URLSessionCaptivePortalChecker(std::shared_ptr<CaptivePortalProbeFetching> probeFetcher,
                                   std::vector<CaptivePortalProbeEndpoint> probeEndpoints);

    Async::Task<CaptivePortalDetectionMeasurement> checkForCaptivePortal(double timeout) override;

    // The request for one probe: no local cache, "no-cache" headers, and a
    // time-out of at least 0.1 s.
    static URLRequest probeRequest(const CaptivePortalProbeEndpoint& endpoint, double timeout);

private:
    // A portal revealed by one probe's answer, or none when it answered cleanly.
    static std::optional<CaptivePortalDetectionMeasurement>
    judge(const CaptivePortalProbeEndpoint& endpoint, const QByteArray& body,
          const HTTPURLResponse& response);

    std::shared_ptr<CaptivePortalProbeFetching> probeFetcher_;
    std::vector<CaptivePortalProbeEndpoint> probeEndpoints_;
};
