#include "ToolProcess.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

namespace {

const QString ping6 = QStringLiteral("/sbin/ping6");

bool hasIPv6Loopback() {
    QFile addresses(QStringLiteral("/proc/net/if_inet6"));
    return addresses.open(QIODevice::ReadOnly) &&
           addresses.readAll().contains("00000000000000000000000000000001");
}

} // namespace

TEST(Ping6ToolTest, RefusesInvocationsTheProbesDoNotMake) {
    for (const auto& arguments :
         {QStringList{}, QStringList{"::1"}, QStringList{"-c", "1", "-W", "1000", "::1"},
          QStringList{"-c", "0", "::1"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        expectUsageRefusal(runTool(ping6, arguments));
    }
}

TEST(Ping6ToolTest, LoopbackReplyGivesTheBsdSummaryAndStatusZero) {
    if (!hasIPv6Loopback()) {
        GTEST_SKIP() << "IPv6 is off on this machine";
    }
    const auto run = runTool(ping6, {"-c", "1", "::1"});

    EXPECT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_TRUE(run.standardOutput.contains(
        QStringLiteral("\n1 packets transmitted, 1 packets received, 0.0% packet loss\n")))
        << run.standardOutput.toStdString();
    EXPECT_TRUE(run.standardOutput.contains(QRegularExpression(QStringLiteral(
        R"(\nround-trip min/avg/max/stddev = [0-9.]+/[0-9.]+/[0-9.]+/[0-9.]+ ms\n)"))))
        << run.standardOutput.toStdString();
}
