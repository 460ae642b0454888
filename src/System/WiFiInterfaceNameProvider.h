#pragma once

#include <functional>
#include <optional>

#include <QString>

// Gives the name of the Wi-Fi interface, or none. Callable from any thread.
using WiFiInterfaceNameProvider = std::function<std::optional<QString>()>;

// Names the first interface, in name order, under `netClassDirectory` that
// the kernel marks as wireless (a "wireless" or "phy80211" entry).
WiFiInterfaceNameProvider
sysfsWiFiInterfaceNameProvider(QString netClassDirectory = QStringLiteral("/sys/class/net"));
