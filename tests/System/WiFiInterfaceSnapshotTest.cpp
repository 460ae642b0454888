#include "System/WiFiInterfaceSnapshot.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

const WiFiInterfaceSnapshot reference{.interfaceName = QStringLiteral("wlan0"),
                                      .ssid = QStringLiteral("Caf\u00e9"),
                                      .bssid = QStringLiteral("a4:2b:b0:5e:10:24"),
                                      .rssiDbm = -60,
                                      .noiseFloorDbm = -92,
                                      .linkRateMbps = 867,
                                      .channelNumber = 44,
                                      .band = WiFiBand::fiveGigahertz};

} // namespace

TEST(WiFiInterfaceSnapshotTest, EveryFieldTakesPartInEquality) {
    const std::vector<std::function<void(WiFiInterfaceSnapshot&)>> changes{
        [](auto& snapshot) { snapshot.interfaceName = QStringLiteral("wlan1"); },
        [](auto& snapshot) { snapshot.ssid.reset(); },
        [](auto& snapshot) { snapshot.bssid = QStringLiteral("a4:2b:b0:5e:10:25"); },
        [](auto& snapshot) { snapshot.rssiDbm = -61; },
        [](auto& snapshot) { snapshot.noiseFloorDbm = -93; },
        [](auto& snapshot) { snapshot.linkRateMbps.reset(); },
        [](auto& snapshot) { snapshot.channelNumber = 36; },
        [](auto& snapshot) { snapshot.band = WiFiBand::unknown; },
    };
    for (std::size_t index = 0; index < changes.size(); ++index) {
        WiFiInterfaceSnapshot changed = reference;
        changes[index](changed);
        EXPECT_NE(changed, reference) << "change " << index;
    }
    EXPECT_EQ(WiFiInterfaceSnapshot(reference), reference);
}

TEST(WiFiInterfaceSnapshotTest, NamesCompareByCanonicalEquivalence) {
    WiFiInterfaceSnapshot decomposed = reference;
    decomposed.ssid = QStringLiteral("Cafe\u0301");

    EXPECT_EQ(decomposed, reference);
}
