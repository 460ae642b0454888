#pragma once

#include <QString>

// The keys of the bundle information the application reads.
namespace BundleKeys {

inline const QString shortVersion = QStringLiteral("CFBundleShortVersionString");
inline const QString buildNumber = QStringLiteral("CFBundleVersion");
inline const QString buildID = QStringLiteral("BuildID");
inline const QString releaseDate = QStringLiteral("ReleaseDate");
inline const QString updateAPIURL = QStringLiteral("UpdateAPIURL");
inline const QString updateDownloadBaseURL = QStringLiteral("UpdateDownloadBaseURL");

} // namespace BundleKeys
