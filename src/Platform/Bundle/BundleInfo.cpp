#include "Platform/Bundle/BundleInfo.h"

#include "MainBundleValues.h"
#include "Platform/Bundle/BundleKeys.h"

#include <utility>

#include <QCoreApplication>

namespace {

void insertUnlessEmpty(BundleInfo::Dictionary& values, const QString& key, const char* value) {
    const QString text = QString::fromUtf8(value);
    if (!text.isEmpty()) {
        values.emplace(key, text);
    }
}

} // namespace

BundleInfo::BundleInfo(Dictionary values, std::optional<QString> executablePath)
    : values_(std::move(values)), executablePath_(std::move(executablePath)) {}

BundleInfo BundleInfo::mainBundle() {
    Dictionary values;
    insertUnlessEmpty(values, BundleKeys::shortVersion, MainBundleValues::shortVersion);
    insertUnlessEmpty(values, BundleKeys::buildNumber, MainBundleValues::buildNumber);
    insertUnlessEmpty(values, BundleKeys::buildID, MainBundleValues::buildID);
    insertUnlessEmpty(values, BundleKeys::releaseDate, MainBundleValues::releaseDate);
    insertUnlessEmpty(values, BundleKeys::updateAPIURL, MainBundleValues::updateAPIURL);
    insertUnlessEmpty(values, BundleKeys::updateDownloadBaseURL,
                      MainBundleValues::updateDownloadBaseURL);
    std::optional<QString> executablePath;
    if (QCoreApplication::instance() != nullptr) {
        executablePath = QCoreApplication::applicationFilePath();
    }
    return BundleInfo(std::move(values), std::move(executablePath));
}

std::optional<QString> BundleInfo::value(const QString& key) const {
    const auto found = values_.find(key);
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second;
}
