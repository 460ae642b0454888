#include "System/URLSessionCaptivePortalChecker.h"

#include <algorithm>

#include <QStringDecoder>

namespace {

constexpr double shortestProbeTimeout = 0.1;

// UTF-8 text of the body, or empty text when any of it is not UTF-8, an
// incomplete character at its end included (ASCII is part of UTF-8, so no
// other reading could succeed). The fetcher already ends a page it cut at its
// read limit on a whole character.
QString decodedBody(const QByteArray& body) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(body);
    return decoder.hasError() ? QString() : text;
}

CaptivePortalDetectionMeasurement redirectPortal(const CaptivePortalProbeEndpoint& endpoint,
                                                 const HTTPURLResponse& response) {
    std::optional<QUrl> portalURL;
    if (const auto location = response.value("Location")) {
        // Taken on its own, not resolved against the probe URL.
        const QUrl url(QString::fromUtf8(*location), QUrl::StrictMode);
        if (!url.isEmpty() && url.isValid()) {
            portalURL = url;
        }
    }
    return {true, portalURL, endpoint.url, CaptivePortalDetectionReason::redirect, true};
}

CaptivePortalDetectionMeasurement injectedPortal(const CaptivePortalProbeEndpoint& endpoint) {
    return {true, endpoint.url, endpoint.url, CaptivePortalDetectionReason::contentInjection, true};
}

} // namespace

const std::vector<CaptivePortalProbeEndpoint>&
URLSessionCaptivePortalChecker::defaultProbeEndpoints() {
    static const std::vector<CaptivePortalProbeEndpoint> endpoints = [] {
        std::vector<CaptivePortalProbeEndpoint> built;
        for (const auto& endpoint :
             {CaptivePortalProbeEndpoint::make(
                  QStringLiteral("http://captive.apple.com/hotspot-detect.html"),
                  QStringLiteral("Success")),
              CaptivePortalProbeEndpoint::make(
                  QStringLiteral("https://detectportal.firefox.com/success.txt"),
                  QStringLiteral("success"))}) {
            if (endpoint) {
                built.push_back(*endpoint);
            }
        }
        return built;
    }();
    return endpoints;
}

URLSessionCaptivePortalChecker::URLSessionCaptivePortalChecker(
    std::shared_ptr<CaptivePortalProbeFetching> probeFetcher,
    std::vector<CaptivePortalProbeEndpoint> probeEndpoints)
    : probeFetcher_(std::move(probeFetcher)), probeEndpoints_(std::move(probeEndpoints)) {}

URLRequest URLSessionCaptivePortalChecker::probeRequest(const CaptivePortalProbeEndpoint& endpoint,
                                                        double timeout) {
    URLRequest request;
    request.url = endpoint.url;
    request.httpMethod = "GET";
    request.cachePolicy = URLRequest::CachePolicy::reloadIgnoringLocalCacheData;
    // A NaN time-out also gives the shortest one.
    request.timeoutInterval = std::max(shortestProbeTimeout, timeout);
    request.setValue("no-cache", "Cache-Control");
    request.setValue("no-cache", "Pragma");
    return request;
}

Async::Task<CaptivePortalDetectionMeasurement>
URLSessionCaptivePortalChecker::checkForCaptivePortal(double timeout) {
    bool didAnyAnswer = false;
    for (const auto& endpoint : probeEndpoints_) {
        std::optional<std::pair<QByteArray, HTTPURLResponse>> answer;
        try {
            answer = co_await probeFetcher_->fetch(probeRequest(endpoint, timeout));
        } catch (...) {
            // Unanswered, whatever the reason; the next endpoint may still answer.
            continue;
        }
        if (auto portal = judge(endpoint, answer->first, answer->second)) {
            co_return *portal;
        }
        didAnyAnswer = true;
    }
    co_return didAnyAnswer ? CaptivePortalDetectionMeasurement::notCaptive()
                           : CaptivePortalDetectionMeasurement::failed();
}

std::optional<CaptivePortalDetectionMeasurement>
URLSessionCaptivePortalChecker::judge(const CaptivePortalProbeEndpoint& endpoint,
                                      const QByteArray& body, const HTTPURLResponse& response) {
    const int status = response.statusCode;
    if (status >= 300 && status <= 399) {
        return redirectPortal(endpoint, response);
    }
    if (status != 200) {
        // Any other status is an answer without a portal.
        return std::nullopt;
    }
    if (decodedBody(body).toLower().contains(endpoint.expectedSuccessSubstring.toLower())) {
        return std::nullopt;
    }
    return injectedPortal(endpoint);
}
