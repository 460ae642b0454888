#include "ToolProcess.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace {

const QString ifconfig = QStringLiteral("/sbin/ifconfig");

// What a VPN check looks for: a line whose part before its first ":" begins with "utun".
bool listsTunnel(const QString& list) {
    return list.contains(QRegularExpression(QStringLiteral("(^|\\n)\\s*utun[^:\\n]*:")));
}

} // namespace

TEST(IfconfigToolTest, RefusesAnyArgument) {
    for (const auto& arguments : {QStringList{"-a"}, QStringList{"lo"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        expectUsageRefusal(runTool(ifconfig, arguments));
    }
}

TEST(IfconfigToolTest, ListsLoopbackWithItsFlagsAndAddress) {
    const auto run = runTool(ifconfig, {});

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.standardOutput.contains(QRegularExpression(QStringLiteral(
        "(^|\\n)lo: flags=[0-9a-f]+<UP,LOOPBACK,RUNNING[A-Z,]*> mtu \\d+\\n(\\t[^\\n]*\\n)*"
        "\\tinet 127\\.0\\.0\\.1 netmask 0xff000000\\n"))))
        << run.standardOutput.toStdString();
}

TEST(IfconfigToolTest, UpTunnelIsListedAsUtunAndNoneOtherwise) {
    if (!canIsolateNetwork() || !canCreateTunnel()) {
        GTEST_SKIP() << "needs a network namespace of its own and /dev/net/tun";
    }
    const auto withoutTunnel = runTool(ifconfig, {}, Network::isolated);
    const auto withTunnel = runTool(ifconfig, {}, Network::isolatedWithTunnel);

    EXPECT_EQ(withTunnel.exitCode, 0);
    EXPECT_FALSE(listsTunnel(withoutTunnel.standardOutput))
        << withoutTunnel.standardOutput.toStdString();
    EXPECT_TRUE(listsTunnel(withTunnel.standardOutput)) << withTunnel.standardOutput.toStdString();
    EXPECT_FALSE(withTunnel.standardOutput.contains(QStringLiteral("tun0:")));
}
