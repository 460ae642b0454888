#include "System/WiFiScannedNetwork.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

const WiFiScannedNetwork reference{.ssid = QStringLiteral("Caf\u00e9"),
                                   .bssid = QStringLiteral("b0:be:76:41:09:c2"),
                                   .rssiDbm = -74,
                                   .channelNumber = 6,
                                   .band = WiFiBand::twoPointFourGigahertz};

} // namespace

TEST(WiFiScannedNetworkTest, EveryFieldTakesPartInEquality) {
    const std::vector<std::function<void(WiFiScannedNetwork&)>> changes{
        [](auto& network) { network.ssid.reset(); },
        [](auto& network) { network.bssid.reset(); },
        [](auto& network) { network.rssiDbm = -75; },
        [](auto& network) { network.channelNumber = 11; },
        [](auto& network) { network.band = WiFiBand::unknown; },
    };
    for (std::size_t index = 0; index < changes.size(); ++index) {
        WiFiScannedNetwork changed = reference;
        changes[index](changed);
        EXPECT_NE(changed, reference) << "change " << index;
    }
}

TEST(WiFiScannedNetworkTest, NamesCompareByCanonicalEquivalence) {
    WiFiScannedNetwork decomposed = reference;
    decomposed.ssid = QStringLiteral("Cafe\u0301");

    EXPECT_EQ(decomposed, reference);
}
