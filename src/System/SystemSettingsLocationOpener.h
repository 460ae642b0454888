#pragma once

#include "System/LocationSettingsOpening.h"
#include "System/URLOpening.h"

#include <array>
#include <memory>

#include <QString>
#include <QUrl>

// Opens the Location Services entry of System Settings by its deep link, and
// System Settings itself when no link opens.
class SystemSettingsLocationOpener final : public LocationSettingsOpening {
public:
    // Tried in order: the link of current system versions (Privacy & Security),
    // then that of older ones (Security & Privacy).
    static const std::array<QString, 2> locationServicesPaneURLs;

    SystemSettingsLocationOpener(std::shared_ptr<URLOpening> urlOpener, QUrl fallbackSettingsURL);

    const std::shared_ptr<URLOpening>& urlOpener() const { return urlOpener_; }
    const QUrl& fallbackSettingsURL() const { return fallbackSettingsURL_; }

    bool openLocationServicesPane() override;

private:
    std::shared_ptr<URLOpening> urlOpener_;
    QUrl fallbackSettingsURL_;
};
