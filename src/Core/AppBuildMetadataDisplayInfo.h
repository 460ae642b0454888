#pragma once

#include "Platform/Bundle/BundleInfo.h"

#include <QLocale>
#include <QString>

// The three lines of build information shown in the About sections. Each line
// is ready for display and never empty.
struct AppBuildMetadataDisplayInfo {
    QString version;     // "v1.4.2 (57)"
    QString buildID;     // the source revision, or "n/a"
    QString releaseDate; // a long date in `locale`, the raw text, or "n/a"

    bool operator==(const AppBuildMetadataDisplayInfo&) const = default;

    // Reads the bundle's values; a blank value, "n/a" or an unexpanded "$("
    // placeholder counts as missing. A date-only release date names the same
    // day in every time zone; one with a time of day is shown in the current
    // time zone. Without a release date the executable's modification date is
    // shown.
    static AppBuildMetadataDisplayInfo fromBundle(const BundleInfo& bundle,
                                                  const QLocale& locale = QLocale());
};
