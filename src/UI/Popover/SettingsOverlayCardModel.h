#pragma once

#include "Core/AppUpdateModels.h"

#include <optional>

#include <QString>

// The texts of the settings card that follow state.
namespace SettingsOverlayCardModel {

// "Adaptive" while battery-friendly mode is on, "Always Fast" while it is off.
QString modeBadgeText(bool isBatteryFriendly);

// "Update available: " and the version as offered, with no prefix of ours.
QString updateHeaderText(const AvailableUpdate& update);

// The release notes when there are any; none when absent or empty.
std::optional<QString> shownReleaseNotes(const AvailableUpdate& update);

} // namespace SettingsOverlayCardModel
