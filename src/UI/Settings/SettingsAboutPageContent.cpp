#include "UI/Settings/SettingsAboutPageContent.h"

SettingsAboutPageContent
SettingsAboutPageContent::make(const AppBuildMetadataDisplayInfo& buildMetadata,
                               const std::optional<AvailableUpdate>& availableUpdate,
                               bool isCheckingForUpdate) {
    return {.buildRows = buildRowsFor(buildMetadata),
            .updateCard = availableUpdate
                              ? std::optional<UpdateCard>(updateCardFor(*availableUpdate))
                              : std::nullopt,
            .showsCheckProgress = isCheckingForUpdate,
            .isCheckButtonEnabled = !isCheckingForUpdate};
}

std::vector<SettingsAboutPageContent::Row>
SettingsAboutPageContent::buildRowsFor(const AppBuildMetadataDisplayInfo& buildMetadata) {
    return {{QStringLiteral("Current Version"), buildMetadata.version},
            {QStringLiteral("Build ID"), buildMetadata.buildID},
            {QStringLiteral("Release Date"), buildMetadata.releaseDate},
            {QStringLiteral("Build Channel"), buildChannel}};
}

SettingsAboutPageContent::UpdateCard
SettingsAboutPageContent::updateCardFor(const AvailableUpdate& update) {
    const bool hasNotes = update.releaseNotes.has_value() && !update.releaseNotes->isEmpty();
    return {.title = QStringLiteral("Update Available: v") + update.version,
            .releaseNotes = hasNotes ? update.releaseNotes : std::nullopt};
}
