#include "System/CaptivePortalProbeEndpoint.h"

std::optional<CaptivePortalProbeEndpoint>
CaptivePortalProbeEndpoint::make(const QString& urlString, QString expectedSuccessSubstring) {
    const QUrl url(urlString, QUrl::StrictMode);
    if (url.isEmpty() || !url.isValid()) {
        return std::nullopt;
    }
    return CaptivePortalProbeEndpoint{url, std::move(expectedSuccessSubstring)};
}
