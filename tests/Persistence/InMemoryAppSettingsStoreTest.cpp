#include "Persistence/InMemoryAppSettingsStore.h"

#include <gtest/gtest.h>

TEST(InMemoryAppSettingsStoreTest, StartsFromTheDefaultsOfThePreferenceFile) {
    const InMemoryAppSettingsStore store;
    EXPECT_TRUE(store.monitoringEnabled());
    EXPECT_TRUE(store.batteryFriendly());
    EXPECT_FALSE(store.colorfulIcon());
    EXPECT_EQ(store.internetPingTarget(), QStringLiteral("1.1.1.1"));
    EXPECT_EQ(store.lastSSID(), std::nullopt);
}

TEST(InMemoryAppSettingsStoreTest, KeepsEveryValueExactlyAsWritten) {
    InMemoryAppSettingsStore store;
    store.setMonitoringEnabled(false);
    store.setBatteryFriendly(false);
    store.setColorfulIcon(true);
    store.setInternetPingTarget(QStringLiteral("  "));
    store.setLastSSID(QStringLiteral(" Office "));
    EXPECT_FALSE(store.monitoringEnabled());
    EXPECT_FALSE(store.batteryFriendly());
    EXPECT_TRUE(store.colorfulIcon());
    EXPECT_EQ(store.internetPingTarget(), QStringLiteral("  "));
    EXPECT_EQ(store.lastSSID(), QStringLiteral(" Office "));
    store.setLastSSID(std::nullopt);
    EXPECT_EQ(store.lastSSID(), std::nullopt);
}
