#pragma once

#include "Core/AppUpdateChecking.h"
#include "Platform/Bundle/BundleInfo.h"
#include "Platform/URLSession/URLSession.h"

#include <cstdint>
#include <optional>

#include <QProcessEnvironment>
#include <QString>
#include <QUrl>

// One update check over HTTP: fetches the feed, compares its build number with
// the running build and turns its download reference into an absolute http or
// https URL. Configuration is fixed at construction; checks share no state.
class AppUpdateService final : public AppUpdateChecking {
public:
    static constexpr double defaultRequestTimeout = 10.0;
    // The most body bytes read; a longer answer fails the check.
    static constexpr std::int64_t maximumResponseBytes = 256 * 1024;

    // A given download base is first made a directory URL.
    AppUpdateService(QUrl updateEndpointURL, std::optional<QUrl> updateDownloadBaseURL,
                     std::int64_t currentBuildNumber, URLSession session,
                     double requestTimeout = defaultRequestTimeout);

    // The service over the endpoints resolved from `environment` and `bundle`
    // and the bundle's build number.
    static AppUpdateService configured(const BundleInfo& bundle,
                                       const QProcessEnvironment& environment, URLSession session,
                                       double requestTimeout = defaultRequestTimeout);

    static QUrl resolveUpdateURL(const BundleInfo& bundle, const QProcessEnvironment& environment);
    static std::optional<QUrl> resolveUpdateDownloadBaseURL(const BundleInfo& bundle,
                                                            const QProcessEnvironment& environment);
    // "CFBundleVersion" as a decimal 64-bit integer (optional sign, digits
    // only); 0 when missing or anything else.
    static std::int64_t resolveBuildNumber(const BundleInfo& bundle);
    // A configured value: trimmed, not empty, no unexpanded "$(" placeholder,
    // a well-formed http or https URL with a host.
    static std::optional<QUrl> parseConfiguredURL(const QString& text);
    // The URL with a path ending in "/" (an empty path becomes "/"); scheme,
    // host, port, query and fragment kept.
    static QUrl normalizedDirectoryURL(const QUrl& url);

    const QUrl& updateEndpointURL() const { return updateEndpointURL_; }
    const std::optional<QUrl>& updateDownloadBaseURL() const { return updateDownloadBaseURL_; }
    std::int64_t currentBuildNumber() const { return currentBuildNumber_; }

    Async::Task<UpdateCheckResult> checkForUpdate() override;

    // The feed's download reference as an absolute http or https URL: an
    // absolute web URL as it is, a relative one resolved against the download
    // base, a blank or placeholder one replaced by the fallback; none for any
    // other scheme, a network-path reference, or a relative one without a base.
    std::optional<QUrl> resolveDownloadURL(const QString& rawValue, const QString& version) const;
    // "pelmor-<version>.dmg" in the download base, the name encoded as one
    // path segment; none without a base.
    std::optional<QUrl> fallbackDownloadURL(const QString& version) const;

private:
    static Async::Task<UpdateCheckResult> performCheck(AppUpdateService service);
    URLRequest makeRequest() const;
    URLSessionTaskOptions transferOptions() const;
    UpdateCheckResult evaluate(const URLSessionResult& result) const;

    QUrl updateEndpointURL_;
    std::optional<QUrl> updateDownloadBaseURL_;
    std::int64_t currentBuildNumber_;
    URLSession session_;
    double requestTimeout_;
};
