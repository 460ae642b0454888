#pragma once

#include <QString>

// The values a setting has until the user stores one.
namespace AppSettingsDefaults {

inline constexpr bool monitoringEnabled = true;
inline constexpr bool batteryFriendly = true;
inline constexpr bool colorfulIcon = false;

// The built-in internet target: a public resolver's IPv4 address. The ping
// monitor is built with the same value.
inline const QString internetPingTarget = QStringLiteral("1.1.1.1");

} // namespace AppSettingsDefaults
