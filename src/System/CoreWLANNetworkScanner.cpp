#include "System/CoreWLANNetworkScanner.h"

#include "Platform/Async/ThreadPoolHop.h"
#include "System/WiFiBandMapping.h"
#include "System/WiFiNetworkScannerError.h"

#include <utility>

namespace {

// Surrounding white space and line breaks go; a name of nothing else is none.
std::optional<QString> trimmedSsid(const std::optional<QString>& ssid) {
    if (!ssid) {
        return std::nullopt;
    }
    QString trimmed = ssid->trimmed();
    if (trimmed.isEmpty()) {
        return std::nullopt;
    }
    return trimmed;
}

} // namespace

CoreWLANNetworkScanner::CoreWLANNetworkScanner(std::shared_ptr<WiFiClient> client)
    : client_(std::move(client)) {}

Async::Task<std::vector<WiFiScannedNetwork>> CoreWLANNetworkScanner::scanNetworks() {
    // Named first: see Task.h on temporaries inside a co_await expression.
    auto scanOnPool = [client = client_] { return scan(*client); };
    co_return co_await Async::runOnThreadPool(std::move(scanOnPool));
}

std::vector<WiFiScannedNetwork> CoreWLANNetworkScanner::scan(WiFiClient& client) {
    if (!client.currentInterface()) {
        throw WiFiNetworkScannerError(WiFiNetworkScannerError::interfaceUnavailable);
    }
    std::vector<WiFiScannedNetwork> scanned;
    for (const WLANNetwork& network : client.scanForNetworks()) {
        if (!network.wlanChannel) {
            continue;
        }
        scanned.push_back(WiFiScannedNetwork{
            .ssid = trimmedSsid(network.ssid),
            .bssid = network.bssid,
            .rssiDbm = network.rssiValue,
            .channelNumber = network.wlanChannel->channelNumber,
            .band = wifiBand(network.wlanChannel->channelBand),
        });
    }
    return scanned;
}
