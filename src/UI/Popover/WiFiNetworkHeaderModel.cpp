#include "UI/Popover/WiFiNetworkHeaderModel.h"

#include "UI/Ground/ColorOpacity.h"
#include "UI/Ground/NamedColors.h"

namespace WiFiNetworkHeaderModel {

QString ssidName(const std::optional<WiFiSnapshot>& snapshot) {
    if (!snapshot || !snapshot->ssid || snapshot->ssid->isEmpty()) {
        return QStringLiteral("Not Connected");
    }
    return *snapshot->ssid;
}

QString channelDetailsText(const std::optional<WiFiSnapshot>& snapshot) {
    if (!snapshot || !snapshot->channelNumber) {
        return QStringLiteral("Channel unavailable");
    }
    const QString channel = QStringLiteral("Channel %1").arg(*snapshot->channelNumber);
    if (!snapshot->band) {
        return channel;
    }
    return QStringLiteral("%1 (%2)").arg(channel, snapshot->band->rawValue());
}

std::optional<QString> bandText(const std::optional<WiFiSnapshot>& snapshot) {
    if (!snapshot || !snapshot->band) {
        return std::nullopt;
    }
    return snapshot->band->rawValue();
}

QColor connectionDotColor(bool isConnected) {
    return isConnected ? NamedColors::green : withOpacity(NamedColors::white, 0.45);
}

} // namespace WiFiNetworkHeaderModel
