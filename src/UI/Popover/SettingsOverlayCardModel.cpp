#include "UI/Popover/SettingsOverlayCardModel.h"

namespace SettingsOverlayCardModel {

QString modeBadgeText(bool isBatteryFriendly) {
    return isBatteryFriendly ? QStringLiteral("Adaptive") : QStringLiteral("Always Fast");
}

QString updateHeaderText(const AvailableUpdate& update) {
    return QStringLiteral("Update available: ") + update.version;
}

std::optional<QString> shownReleaseNotes(const AvailableUpdate& update) {
    if (!update.releaseNotes || update.releaseNotes->isEmpty()) {
        return std::nullopt;
    }
    return update.releaseNotes;
}

} // namespace SettingsOverlayCardModel
