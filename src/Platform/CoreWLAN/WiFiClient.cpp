#include "Platform/CoreWLAN/WiFiClient.h"

#include "Platform/CoreWLAN/Nl80211WiFiClient.h"
#include "Platform/CoreWLAN/SimulatedWiFiClient.h"

#include <QtGlobal>

std::shared_ptr<WiFiClient> WiFiClient::fromEnvironment() {
    if (qEnvironmentVariable("PELMOR_WLAN_BACKEND") == QLatin1String("simulated")) {
        return std::make_shared<SimulatedWiFiClient>();
    }
    return std::make_shared<Nl80211WiFiClient>();
}

std::shared_ptr<WiFiClient> WiFiClient::shared() {
    static const std::shared_ptr<WiFiClient> client = fromEnvironment();
    return client;
}
