#pragma once

#include "Core/AppBuildMetadataDisplayInfo.h"
#include "Core/AppUpdateModels.h"

#include <optional>
#include <vector>

#include <QString>

// What the About page shows, computed from the build information, the update
// the shared update controller knows of, and whether a manual check runs.
struct SettingsAboutPageContent {
    struct Row {
        QString key;
        QString value;
        bool operator==(const Row&) const = default;
    };

    struct UpdateCard {
        QString title;                       // "Update Available: v" and the version
        std::optional<QString> releaseNotes; // none when absent or empty
        bool operator==(const UpdateCard&) const = default;
    };

    static inline const QString checkButtonTitle = QStringLiteral("Check for Updates");
    static inline const QString buildChannel = QStringLiteral("Stable");

    std::vector<Row> buildRows;
    std::optional<UpdateCard> updateCard;
    bool showsCheckProgress = false; // the check button shows a progress indicator, not its title
    bool isCheckButtonEnabled = true;

    bool operator==(const SettingsAboutPageContent&) const = default;

    static SettingsAboutPageContent make(const AppBuildMetadataDisplayInfo& buildMetadata,
                                         const std::optional<AvailableUpdate>& availableUpdate,
                                         bool isCheckingForUpdate);

    static std::vector<Row> buildRowsFor(const AppBuildMetadataDisplayInfo& buildMetadata);
    static UpdateCard updateCardFor(const AvailableUpdate& update);
};
