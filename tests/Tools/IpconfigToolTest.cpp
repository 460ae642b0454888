#include "ToolProcess.h"

#include <gtest/gtest.h>

namespace {

const QString ipconfig = QStringLiteral("/usr/sbin/ipconfig");

void expectNotFound(const ToolRun& run) {
    EXPECT_EQ(run.exitStatus, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardOutput, QString());
}

} // namespace

TEST(IpconfigToolTest, RefusesInvocationsTheProbesDoNotMake) {
    for (const auto& arguments :
         {QStringList{}, QStringList{"getifaddr"}, QStringList{"getoption", "lo", "domain_name"},
          QStringList{"getsummary", "lo"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        expectUsageRefusal(runTool(ipconfig, arguments));
    }
}

TEST(IpconfigToolTest, LoopbackAddressIsPrintedAloneOnALine) {
    const auto run = runTool(ipconfig, {"getifaddr", "lo"});

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardOutput, QStringLiteral("127.0.0.1\n"));
}

TEST(IpconfigToolTest, InterfaceWithoutAnAddressOrRouterGivesStatusOneAndNoOutput) {
    expectNotFound(runTool(ipconfig, {"getifaddr", "nosuchif0"}));
    expectNotFound(runTool(ipconfig, {"getoption", "nosuchif0", "router"}));
}

TEST(IpconfigToolTest, RouterIsTheGatewayOfTheInterfacesDefaultRoute) {
    if (!canIsolateNetwork()) {
        GTEST_SKIP() << "needs a network namespace of its own";
    }
    const auto run = runTool(ipconfig, {"getoption", "lo", "router"}, Network::isolated);

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardOutput, QStringLiteral("192.0.2.1\n"));
}
