#include "Core/AppUpdateService.h"

#include "Core/WebURL.h"
#include "Platform/Bundle/BundleKeys.h"

#include <utility>

#include <QRegularExpression>

namespace {

const QString updateURLVariable = QStringLiteral("PELMOR_UPDATE_API_URL");
const QString downloadBaseURLVariable = QStringLiteral("PELMOR_UPDATE_DOWNLOAD_BASE_URL");
const QString defaultUpdateURL = QStringLiteral("https://updates.pelmor.app/v1/update");
const QString defaultDownloadBaseURL = QStringLiteral("https://updates.pelmor.app/releases");
const QString placeholderMarker = QStringLiteral("$(");

// The first source that holds an acceptable URL: the environment, then the bundle.
std::optional<QUrl> configuredURL(const BundleInfo& bundle, const QProcessEnvironment& environment,
                                  const QString& variable, const QString& bundleKey) {
    if (auto fromEnvironment = AppUpdateService::parseConfiguredURL(environment.value(variable))) {
        return fromEnvironment;
    }
    return AppUpdateService::parseConfiguredURL(bundle.value(bundleKey).value_or(QString()));
}

bool isDecimalInteger(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("\\A[+-]?[0-9]+\\z"));
    return pattern.match(text).hasMatch();
}

} // namespace

AppUpdateService::AppUpdateService(QUrl updateEndpointURL,
                                   std::optional<QUrl> updateDownloadBaseURL,
                                   std::int64_t currentBuildNumber, URLSession session,
                                   double requestTimeout)
    : updateEndpointURL_(std::move(updateEndpointURL)),
      updateDownloadBaseURL_(updateDownloadBaseURL ? std::optional<QUrl>(normalizedDirectoryURL(
                                                         *updateDownloadBaseURL))
                                                   : std::nullopt),
      currentBuildNumber_(currentBuildNumber), session_(std::move(session)),
      requestTimeout_(requestTimeout) {}

AppUpdateService AppUpdateService::configured(const BundleInfo& bundle,
                                              const QProcessEnvironment& environment,
                                              URLSession session, double requestTimeout) {
    return AppUpdateService(resolveUpdateURL(bundle, environment),
                            resolveUpdateDownloadBaseURL(bundle, environment),
                            resolveBuildNumber(bundle), std::move(session), requestTimeout);
}

QUrl AppUpdateService::resolveUpdateURL(const BundleInfo& bundle,
                                        const QProcessEnvironment& environment) {
    return configuredURL(bundle, environment, updateURLVariable, BundleKeys::updateAPIURL)
        .value_or(QUrl(defaultUpdateURL));
}

std::optional<QUrl>
AppUpdateService::resolveUpdateDownloadBaseURL(const BundleInfo& bundle,
                                               const QProcessEnvironment& environment) {
    std::optional<QUrl> base = configuredURL(bundle, environment, downloadBaseURLVariable,
                                             BundleKeys::updateDownloadBaseURL);
    if (!base) {
        base = WebURL::parse(defaultDownloadBaseURL);
    }
    if (!base) {
        return std::nullopt;
    }
    return normalizedDirectoryURL(*base);
}

std::int64_t AppUpdateService::resolveBuildNumber(const BundleInfo& bundle) {
    const QString text = bundle.value(BundleKeys::buildNumber).value_or(QString());
    if (!isDecimalInteger(text)) {
        return 0;
    }
    bool isInRange = false;
    const qlonglong number = text.toLongLong(&isInRange);
    return isInRange ? number : 0;
}

std::optional<QUrl> AppUpdateService::parseConfiguredURL(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.contains(placeholderMarker)) {
        return std::nullopt;
    }
    const std::optional<QUrl> url = WebURL::parse(trimmed);
    if (!url || !WebURL::isWebURL(*url)) {
        return std::nullopt;
    }
    return url;
}

QUrl AppUpdateService::normalizedDirectoryURL(const QUrl& url) {
    const QString path = url.path(QUrl::FullyEncoded);
    if (path.endsWith(QLatin1Char('/')) || !url.isValid()) {
        return url;
    }
    QUrl directory = url;
    directory.setPath(path + QLatin1Char('/'), QUrl::TolerantMode);
    return directory.isValid() ? directory : url;
}

Async::Task<UpdateCheckResult> AppUpdateService::checkForUpdate() {
    return performCheck(*this);
}

// Works on its own copy: the check may outlive the service that started it.
Async::Task<UpdateCheckResult> AppUpdateService::performCheck(AppUpdateService service) {
    const URLRequest request = service.makeRequest();
    const URLSessionTaskOptions options = service.transferOptions();
    try {
        const URLSessionResult result = co_await service.session_.perform(request, options);
        co_return service.evaluate(result);
    } catch (...) {
        co_return UpdateCheckResult::checkFailed();
    }
}

URLRequest AppUpdateService::makeRequest() const {
    URLRequest request;
    request.url = updateEndpointURL_;
    request.timeoutInterval = requestTimeout_;
    request.setValue("application/json", "Accept");
    return request;
}

// The time-out bounds the whole check, so a server that dribbles its answer
// cannot hold it longer than one that never answers.
URLSessionTaskOptions AppUpdateService::transferOptions() const {
    return {.followsRedirects = true,
            .bodyHandling = URLSessionTaskOptions::BodyHandling::keep,
            .maximumBodyBytes = maximumResponseBytes,
            .resourceTimeout = requestTimeout_};
}

UpdateCheckResult AppUpdateService::evaluate(const URLSessionResult& result) const {
    const auto& response = result.httpResponse;
    if (!response || response->statusCode < 200 || response->statusCode > 299 ||
        result.isBodyTruncated) {
        return UpdateCheckResult::checkFailed();
    }
    const std::optional<AvailableUpdate> update = AvailableUpdate::fromJSON(result.body);
    if (!update) {
        return UpdateCheckResult::checkFailed();
    }
    if (currentBuildNumber_ >= update->buildNumber) {
        return UpdateCheckResult::upToDate();
    }
    const std::optional<QUrl> downloadURL =
        resolveDownloadURL(update->downloadUrl, update->version);
    if (!downloadURL) {
        return UpdateCheckResult::checkFailed();
    }
    AvailableUpdate resolved = *update;
    resolved.downloadUrl = downloadURL->toString(QUrl::FullyEncoded);
    return UpdateCheckResult::updateAvailable(std::move(resolved));
}

std::optional<QUrl> AppUpdateService::resolveDownloadURL(const QString& rawValue,
                                                         const QString& version) const {
    const QString text = rawValue.trimmed();
    if (text.isEmpty() || text.contains(placeholderMarker)) {
        return fallbackDownloadURL(version);
    }
    const std::optional<QUrl> reference = WebURL::parse(text);
    if (!reference) {
        return std::nullopt;
    }
    if (!reference->scheme().isEmpty()) {
        return WebURL::isWebURL(*reference) ? reference : std::nullopt;
    }
    // A network-path reference ("//host/x") would name a host of its own.
    if (!reference->authority().isEmpty() || !updateDownloadBaseURL_) {
        return std::nullopt;
    }
    const QUrl resolved = updateDownloadBaseURL_->resolved(*reference);
    if (!WebURL::isWebURL(resolved)) {
        return std::nullopt;
    }
    return resolved;
}

std::optional<QUrl> AppUpdateService::fallbackDownloadURL(const QString& version) const {
    if (!updateDownloadBaseURL_) {
        return std::nullopt;
    }
    // Every character outside the unreserved set is escaped, "/", "?", "#" and
    // "%" included: the version cannot leave the folder or add a query.
    const QByteArray fileName =
        QUrl::toPercentEncoding(QStringLiteral("pelmor-") + version + QStringLiteral(".dmg"));
    QUrl url = *updateDownloadBaseURL_;
    url.setPath(updateDownloadBaseURL_->path(QUrl::FullyEncoded) + QString::fromLatin1(fileName),
                QUrl::TolerantMode);
    return url;
}
