#include "System/WiFiInterfaceNameProvider.h"

#include "Support/FakeWiFiClient.h"

#include <gtest/gtest.h>

TEST(WiFiInterfaceNameProviderTest, NamesTheWiFiClientsCurrentInterfaceEachTimeItIsAsked) {
    auto client = std::make_shared<FakeWiFiClient>();
    const auto provider = wifiClientInterfaceNameProvider(client);
    EXPECT_EQ(provider(), std::nullopt);
    const auto interfaceNamed = [](std::optional<QString> name) {
        return WLANInterface{.interfaceName = std::move(name),
                             .ssid = std::nullopt,
                             .bssid = std::nullopt,
                             .rssiValue = -60,
                             .noiseMeasurement = -92,
                             .transmitRate = 144.0,
                             .wlanChannel = std::nullopt};
    };
    client->setInterface(interfaceNamed(QStringLiteral("wlp2s0")));
    EXPECT_EQ(provider(), QStringLiteral("wlp2s0"));
    client->setInterface(interfaceNamed(std::nullopt));
    EXPECT_EQ(provider(), std::nullopt);
}
