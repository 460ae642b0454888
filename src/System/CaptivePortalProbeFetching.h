#pragma once

#include "Platform/Async/Task.h"
#include "Platform/URLSession/HTTPURLResponse.h"
#include "Platform/URLSession/URLRequest.h"

#include <utility>

#include <QByteArray>

// Performs one captive-portal probe request without following redirects and
// returns the body and the HTTP answer, a 3xx included. Throws
// CaptivePortalProbeFetcherError for an answer that is not HTTP; transport
// errors (URLError) propagate unchanged.
class CaptivePortalProbeFetching {
public:
    virtual ~CaptivePortalProbeFetching() = default;
    virtual Async::Task<std::pair<QByteArray, HTTPURLResponse>> fetch(URLRequest request) = 0;
};
