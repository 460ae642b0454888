#include "System/WiFiInterfaceNameProvider.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A stand-in for /sys/class/net: one folder per interface, as symbolic links
// to device folders the way the kernel lays them out.
class WiFiInterfaceNameProviderTest : public testing::Test {
protected:
    QTemporaryDir root;
    QString netClass = root.filePath("class/net");

    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir().mkpath(netClass));
    }

    // `marker` is "wireless", "phy80211" or empty for a wired interface.
    void addInterface(const QString& name, const QString& marker = QString()) {
        const QString device = root.filePath("devices/" + name);
        ASSERT_TRUE(QDir().mkpath(device));
        if (marker == "wireless") {
            ASSERT_TRUE(QDir().mkpath(device + "/wireless"));
        } else if (marker == "phy80211") {
            ASSERT_TRUE(QDir().mkpath(root.filePath("phy0")));
            ASSERT_TRUE(QFile::link(root.filePath("phy0"), device + "/phy80211"));
        }
        ASSERT_TRUE(QFile::link(device, netClass + "/" + name));
    }

    std::optional<QString> interfaceName() { return sysfsWiFiInterfaceNameProvider(netClass)(); }
};

TEST_F(WiFiInterfaceNameProviderTest, NamesTheInterfaceWithAWirelessEntry) {
    addInterface("enp3s0");
    addInterface("lo");
    addInterface("wlp2s0", "wireless");
    EXPECT_EQ(interfaceName(), "wlp2s0");
}

TEST_F(WiFiInterfaceNameProviderTest, APhy80211LinkAloneMarksAWirelessInterface) {
    addInterface("eth0");
    addInterface("wlx00c0ca123456", "phy80211");
    EXPECT_EQ(interfaceName(), "wlx00c0ca123456");
}

TEST_F(WiFiInterfaceNameProviderTest, FirstWirelessInterfaceByNameWins) {
    addInterface("wlp2s0", "wireless");
    addInterface("wlan0", "phy80211");
    addInterface("eth0");
    EXPECT_EQ(interfaceName(), "wlan0");
}

TEST_F(WiFiInterfaceNameProviderTest, NoWirelessInterfaceOrNoFolderGivesNone) {
    addInterface("eth0");
    addInterface("lo");
    EXPECT_EQ(interfaceName(), std::nullopt);
    EXPECT_EQ(sysfsWiFiInterfaceNameProvider(root.filePath("missing"))(), std::nullopt);
}
