#include "System/URLSessionCaptivePortalProbeFetcher.h"

#include "System/CaptivePortalProbeFetcherError.h"

URLSessionCaptivePortalProbeFetcher::URLSessionCaptivePortalProbeFetcher(URLSession session)
    : session_(std::move(session)) {}

Async::Task<std::pair<QByteArray, HTTPURLResponse>>
URLSessionCaptivePortalProbeFetcher::fetch(URLRequest request) {
    URLSessionTaskOptions options;
    options.followsRedirects = false;
    options.bodyHandling = URLSessionTaskOptions::BodyHandling::keep;
    options.maximumBodyBytes = maximumBodyBytes;
    options.resourceTimeout = request.timeoutInterval;
    auto result = co_await session_.perform(std::move(request), options);
    if (!result.httpResponse) {
        throw CaptivePortalProbeFetcherError(CaptivePortalProbeFetcherError::nonHTTPResponse);
    }
    co_return std::pair{std::move(result.body), std::move(*result.httpResponse)};
}
