#pragma once

#include "Platform/URLSession/URLSession.h"
#include "System/CaptivePortalProbeFetching.h"

#include <cstdint>

// Fetches probe pages over the URL session. Redirects are never followed, so
// a portal's 3xx comes back as it is. A page is read up to `maximumBodyBytes`
// (less a UTF-8 character the limit split) and the whole fetch, body included, ends by the
// request's time-out: a portal can neither exhaust memory nor hold a check past its time-out.
class URLSessionCaptivePortalProbeFetcher final : public CaptivePortalProbeFetching {
public:
    static constexpr std::int64_t maximumBodyBytes = 64 * 1024;

    explicit URLSessionCaptivePortalProbeFetcher(URLSession session);

    Async::Task<std::pair<QByteArray, HTTPURLResponse>> fetch(URLRequest request) override;

private:
    URLSession session_;
};
