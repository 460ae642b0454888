#include "Platform/Network/SysfsInterfaceTypeClassifier.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A /sys tree in a temporary folder, shaped like the kernel's.
class SysfsInterfaceTypeClassifierTest : public testing::Test {
protected:
    QString interfaceFolder(const QString& name) const {
        return root.filePath(QStringLiteral("class/net/") + name);
    }

    void addInterface(const QString& name, const QByteArray& type) const {
        ASSERT_TRUE(QDir().mkpath(interfaceFolder(name)));
        writeFile(name, QStringLiteral("type"), type + '\n');
    }

    void writeFile(const QString& name, const QString& entry, const QByteArray& contents) const {
        QFile file(interfaceFolder(name) + u'/' + entry);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

    void addFolder(const QString& name, const QString& entry) const {
        ASSERT_TRUE(QDir().mkpath(interfaceFolder(name) + u'/' + entry));
    }

    // sysfs `device` and `phy80211` entries are links into /sys/devices; the
    // targets need not exist here.
    void addLink(const QString& name, const QString& entry) const {
        ASSERT_TRUE(QFile::link(QStringLiteral("../../../devices/pci0000:00/") + name,
                                interfaceFolder(name) + u'/' + entry));
    }

    NetworkInterfaceType classify(const QString& name) const {
        return SysfsInterfaceTypeClassifier(root.path()).classify(name);
    }

    QTemporaryDir root;
};

TEST_F(SysfsInterfaceTypeClassifierTest, WiFiByItsWirelessOrPhyEntryEvenThoughItIsEthernetTyped) {
    addInterface(QStringLiteral("wlp2s0"), "1");
    addLink(QStringLiteral("wlp2s0"), QStringLiteral("device"));
    addFolder(QStringLiteral("wlp2s0"), QStringLiteral("wireless"));
    addInterface(QStringLiteral("wlan1"), "1");
    addLink(QStringLiteral("wlan1"), QStringLiteral("device"));
    addLink(QStringLiteral("wlan1"), QStringLiteral("phy80211"));
    EXPECT_EQ(classify(QStringLiteral("wlp2s0")), NetworkInterfaceType::wifi);
    EXPECT_EQ(classify(QStringLiteral("wlan1")), NetworkInterfaceType::wifi);
}

TEST_F(SysfsInterfaceTypeClassifierTest, WiredEthernetNeedsEthernetTypeAndABackingDevice) {
    addInterface(QStringLiteral("enp3s0"), "1");
    addLink(QStringLiteral("enp3s0"), QStringLiteral("device"));
    addInterface(QStringLiteral("veth0"), "1"); // virtual: no device
    addInterface(QStringLiteral("br0"), "1");   // bridge: no device
    addInterface(QStringLiteral("ib0"), "32");  // InfiniBand, with a device
    addLink(QStringLiteral("ib0"), QStringLiteral("device"));
    addInterface(QStringLiteral("odd0"), "1x"); // unreadable type
    addLink(QStringLiteral("odd0"), QStringLiteral("device"));
    EXPECT_EQ(classify(QStringLiteral("enp3s0")), NetworkInterfaceType::wiredEthernet);
    EXPECT_EQ(classify(QStringLiteral("veth0")), NetworkInterfaceType::other);
    EXPECT_EQ(classify(QStringLiteral("br0")), NetworkInterfaceType::other);
    EXPECT_EQ(classify(QStringLiteral("ib0")), NetworkInterfaceType::other);
    EXPECT_EQ(classify(QStringLiteral("odd0")), NetworkInterfaceType::other);
}

TEST_F(SysfsInterfaceTypeClassifierTest, CellularByNameOrDeviceTypeBeforeWired) {
    addInterface(QStringLiteral("wwan0"), "65534");
    addInterface(QStringLiteral("wwp0s20f0u6"), "1");
    addLink(QStringLiteral("wwp0s20f0u6"), QStringLiteral("device"));
    addInterface(QStringLiteral("usb0"), "1");
    addLink(QStringLiteral("usb0"), QStringLiteral("device"));
    writeFile(QStringLiteral("usb0"), QStringLiteral("uevent"),
              "INTERFACE=usb0\nIFINDEX=5\nDEVTYPE=wwan\n");
    addInterface(QStringLiteral("usb1"), "1");
    addLink(QStringLiteral("usb1"), QStringLiteral("device"));
    writeFile(QStringLiteral("usb1"), QStringLiteral("uevent"), "INTERFACE=usb1\nDEVTYPE=wwanx\n");
    EXPECT_EQ(classify(QStringLiteral("wwan0")), NetworkInterfaceType::cellular);
    EXPECT_EQ(classify(QStringLiteral("usb0")), NetworkInterfaceType::cellular);
    EXPECT_EQ(classify(QStringLiteral("usb1")), NetworkInterfaceType::wiredEthernet);
    // "wwp..." is a modem's usual name but not a "wwan" one, and it is an
    // Ethernet-typed device: the rules make it wired.
    EXPECT_EQ(classify(QStringLiteral("wwp0s20f0u6")), NetworkInterfaceType::wiredEthernet);
}

TEST_F(SysfsInterfaceTypeClassifierTest, TunnelsAndUnlistedInterfacesAreOther) {
    addInterface(QStringLiteral("tun0"), "65534");
    addInterface(QStringLiteral("sit1"), "776");
    EXPECT_EQ(classify(QStringLiteral("tun0")), NetworkInterfaceType::other);
    EXPECT_EQ(classify(QStringLiteral("sit1")), NetworkInterfaceType::other);
    EXPECT_EQ(classify(QStringLiteral("missing0")), NetworkInterfaceType::other);
    EXPECT_EQ(classify(QString()), NetworkInterfaceType::other);
}

TEST_F(SysfsInterfaceTypeClassifierTest, ANameCannotLeadOutOfTheInterfaceFolder) {
    addInterface(QStringLiteral("wlan0"), "1");
    addFolder(QStringLiteral("wlan0"), QStringLiteral("wireless"));
    // <root>/class/net/.. is <root>/class: give it a Wi-Fi look.
    ASSERT_TRUE(QDir().mkpath(root.filePath(QStringLiteral("class/wireless"))));
    EXPECT_EQ(classify(QStringLiteral("x/../wlan0")), NetworkInterfaceType::other);
    EXPECT_EQ(classify(QStringLiteral("..")), NetworkInterfaceType::other);
    EXPECT_EQ(classify(QStringLiteral("wlan0")), NetworkInterfaceType::wifi);
}
