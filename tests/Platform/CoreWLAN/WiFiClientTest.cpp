#include "Platform/CoreWLAN/WiFiClient.h"

#include "Platform/CoreWLAN/Nl80211WiFiClient.h"
#include "Platform/CoreWLAN/SimulatedWiFiClient.h"
#include "Support/ScopedEnvironmentVariable.h"

#include <gtest/gtest.h>

TEST(WiFiClientTest, TheVariableChoosesTheSimulatedBackend) {
    const ScopedEnvironmentVariable backend("PELMOR_WLAN_BACKEND", "simulated");

    const auto client = WiFiClient::fromEnvironment();

    EXPECT_NE(dynamic_cast<SimulatedWiFiClient*>(client.get()), nullptr);
    EXPECT_TRUE(client->currentInterface());
}

TEST(WiFiClientTest, AnyOtherValueOrNoneChoosesNl80211) {
    for (const std::optional<QByteArray>& value :
         {std::optional<QByteArray>(), std::optional<QByteArray>("Simulated"),
          std::optional<QByteArray>("")}) {
        const ScopedEnvironmentVariable backend("PELMOR_WLAN_BACKEND", value);

        const auto client = WiFiClient::fromEnvironment();

        EXPECT_NE(dynamic_cast<Nl80211WiFiClient*>(client.get()), nullptr)
            << value.value_or("(unset)").toStdString();
    }
}

TEST(WiFiClientTest, TheSharedClientIsMadeOnce) {
    EXPECT_EQ(WiFiClient::shared(), WiFiClient::shared());
}
