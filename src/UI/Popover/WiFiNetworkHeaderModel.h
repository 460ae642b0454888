#pragma once

#include "Core/DomainModels.h"

#include <optional>

#include <QColor>
#include <QString>

// The texts and colour of the dashboard's network line, from the Wi-Fi
// monitor's latest reading and connection flag.
namespace WiFiNetworkHeaderModel {

// The SSID exactly as stored; "Not Connected" without a reading or a name.
QString ssidName(const std::optional<WiFiSnapshot>& snapshot);

// "Channel 36 (5 GHz)", "Channel 11" without a band, "Channel unavailable"
// without a reading or a channel number.
QString channelDetailsText(const std::optional<WiFiSnapshot>& snapshot);

// The band shown in the channel capsule; no capsule when it is absent.
std::optional<QString> bandText(const std::optional<WiFiSnapshot>& snapshot);

// Green while connected, else dimmed white. Follows the flag alone.
QColor connectionDotColor(bool isConnected);

} // namespace WiFiNetworkHeaderModel
