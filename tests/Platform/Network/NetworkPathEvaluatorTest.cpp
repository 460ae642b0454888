#include "Platform/Network/NetworkPathEvaluator.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

NetworkLink up(int index, const QString& name) {
    return {index, name, true, true, false};
}

DefaultRoute ipv4(std::uint32_t metric, std::vector<int> interfaces) {
    return {DefaultRoute::Family::ipv4, metric, std::move(interfaces)};
}

DefaultRoute ipv6(std::uint32_t metric, std::vector<int> interfaces) {
    return {DefaultRoute::Family::ipv6, metric, std::move(interfaces)};
}

} // namespace

// Interfaces: 1 lo, 2 eth0 (wired), 3 wlan0 (Wi-Fi), 4 wwan0 (cellular), 5 tun0 (other).
class NetworkPathEvaluatorTest : public testing::Test {
protected:
    void SetUp() override {
        makeFolder(QStringLiteral("eth0"));
        writeType(QStringLiteral("eth0"));
        ASSERT_TRUE(QFile::link(QStringLiteral("/nonexistent"),
                                folder(QStringLiteral("eth0")) + QStringLiteral("/device")));
        makeFolder(QStringLiteral("wlan0/wireless"));
        makeFolder(QStringLiteral("tun0"));
    }

    QString folder(const QString& name) const {
        return sysfs.filePath(QStringLiteral("class/net/") + name);
    }
    void makeFolder(const QString& name) const { ASSERT_TRUE(QDir().mkpath(folder(name))); }
    void writeType(const QString& name) const {
        QFile file(folder(name) + QStringLiteral("/type"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("1\n");
    }

    NetworkPath evaluate(const std::vector<DefaultRoute>& routes) const {
        return NetworkPathEvaluator::evaluate({links, routes},
                                              SysfsInterfaceTypeClassifier(sysfs.path()));
    }

    static NetworkPath satisfied(std::vector<NetworkInterface> interfaces) {
        return {NetworkPathStatus::satisfied, std::move(interfaces)};
    }

    QTemporaryDir sysfs;
    std::vector<NetworkLink> links{{1, QStringLiteral("lo"), true, true, true},
                                   up(2, QStringLiteral("eth0")),
                                   up(3, QStringLiteral("wlan0")),
                                   up(4, QStringLiteral("wwan0")),
                                   up(5, QStringLiteral("tun0"))};
    const NetworkInterface eth0{QStringLiteral("eth0"), NetworkInterfaceType::wiredEthernet};
    const NetworkInterface wlan0{QStringLiteral("wlan0"), NetworkInterfaceType::wifi};
    const NetworkInterface wwan0{QStringLiteral("wwan0"), NetworkInterfaceType::cellular};
    const NetworkInterface tun0{QStringLiteral("tun0"), NetworkInterfaceType::other};
    const NetworkPath unsatisfied{NetworkPathStatus::unsatisfied, {}};
};

TEST_F(NetworkPathEvaluatorTest, WithoutADefaultRouteThePathIsUnsatisfied) {
    EXPECT_EQ(evaluate({}), unsatisfied);
    EXPECT_EQ(evaluate({ipv4(0, {1})}), unsatisfied) << "loopback carries no path";
    EXPECT_EQ(evaluate({ipv4(0, {9})}), unsatisfied) << "an unknown interface";
}

TEST_F(NetworkPathEvaluatorTest, ADefaultRouteOverAnInterfaceThatIsUpAndRunningSatisfiesIt) {
    EXPECT_EQ(evaluate({ipv4(100, {2})}), satisfied({eth0}));
    EXPECT_EQ(evaluate({ipv6(100, {3})}), satisfied({wlan0}));

    links[1].isRunning = false; // cable out
    EXPECT_EQ(evaluate({ipv4(100, {2})}), unsatisfied);
    links[1].isRunning = true;
    links[1].isUp = false;
    EXPECT_EQ(evaluate({ipv4(100, {2})}), unsatisfied);
}

TEST_F(NetworkPathEvaluatorTest, TheLowestMetricOfEachFamilyOverAUsableInterfaceWins) {
    EXPECT_EQ(evaluate({ipv4(600, {3}), ipv4(100, {2})}), satisfied({eth0}));
    EXPECT_EQ(evaluate({ipv4(100, {2}), ipv4(600, {3})}), satisfied({eth0}));
    EXPECT_EQ(evaluate({ipv4(100, {2}), ipv4(100, {3})}), satisfied({eth0, wlan0}));

    links[1].isRunning = false;
    EXPECT_EQ(evaluate({ipv4(100, {2}), ipv4(600, {3})}), satisfied({wlan0}))
        << "an unusable preferred route falls back to the next";
}

TEST_F(NetworkPathEvaluatorTest, BothFamiliesAndEveryNextHopContribute) {
    EXPECT_EQ(evaluate({ipv4(50, {5}), ipv6(100, {3}), ipv6(600, {2})}), satisfied({wlan0, tun0}));
    EXPECT_EQ(evaluate({ipv4(0, {4, 2})}), satisfied({eth0, wwan0}));
    EXPECT_EQ(evaluate({ipv4(0, {3, 3}), ipv6(0, {3})}), satisfied({wlan0}));
    EXPECT_EQ(evaluate({ipv4(0, {1, 3})}), satisfied({wlan0}));
}
