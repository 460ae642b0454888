#include "System/SystemSettingsLocationOpener.h"

const std::array<QString, 2> SystemSettingsLocationOpener::locationServicesPaneURLs{
    QStringLiteral("x-apple.systempreferences:com.apple.settings.PrivacySecurity.extension"
                   "?Privacy_LocationServices"),
    QStringLiteral("x-apple.systempreferences:com.apple.preference.security"
                   "?Privacy_LocationServices"),
};

SystemSettingsLocationOpener::SystemSettingsLocationOpener(std::shared_ptr<URLOpening> urlOpener,
                                                           QUrl fallbackSettingsURL)
    : urlOpener_(std::move(urlOpener)), fallbackSettingsURL_(std::move(fallbackSettingsURL)) {}

bool SystemSettingsLocationOpener::openLocationServicesPane() {
    for (const QString& text : locationServicesPaneURLs) {
        const QUrl url(text, QUrl::StrictMode);
        if (url.isValid() && urlOpener_->open(url)) {
            return true;
        }
    }
    return urlOpener_->open(fallbackSettingsURL_);
}
