#pragma once

#include <optional>

#include <QString>
#include <QUrl>

// A well-known page and the text it holds when no captive portal intercepts it.
struct CaptivePortalProbeEndpoint {
    QUrl url;
    QString expectedSuccessSubstring;

    // No endpoint when `urlString` does not parse as a URL.
    static std::optional<CaptivePortalProbeEndpoint> make(const QString& urlString,
                                                          QString expectedSuccessSubstring);

    bool operator==(const CaptivePortalProbeEndpoint&) const = default;
};
