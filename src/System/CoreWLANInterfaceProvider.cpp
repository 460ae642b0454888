#include "System/CoreWLANInterfaceProvider.h"

#include "System/WiFiBandMapping.h"

#include <cmath>

CoreWLANInterfaceProvider::CoreWLANInterfaceProvider(std::shared_ptr<WiFiClient> client)
    : client_(std::move(client)) {}

std::optional<WiFiInterfaceSnapshot> CoreWLANInterfaceProvider::currentSnapshot() {
    const auto interface = client_->currentInterface();
    // Both figures read 0 only while the interface is not associated.
    if (!interface || (interface->rssiValue == 0 && interface->noiseMeasurement == 0)) {
        return std::nullopt;
    }
    const auto& channel = interface->wlanChannel;
    return WiFiInterfaceSnapshot{
        .interfaceName = interface->interfaceName.value_or(QStringLiteral("en0")),
        .ssid = interface->ssid,
        .bssid = interface->bssid,
        .rssiDbm = interface->rssiValue,
        .noiseFloorDbm = interface->noiseMeasurement,
        .linkRateMbps = linkRateMbps(interface->transmitRate),
        .channelNumber = channel ? std::optional(channel->channelNumber) : std::nullopt,
        .band = channel ? std::optional(wifiBand(channel->channelBand)) : std::nullopt,
    };
}

std::optional<std::int64_t> CoreWLANInterfaceProvider::linkRateMbps(double transmitRate) {
    const double rounded = std::round(transmitRate);
    // NaN fails the first test; +infinity and anything from 2^63 up fail the second.
    if (!(rounded > 0) || rounded >= 0x1p63) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(rounded);
}
