#include "System/CommandLinePingProbeRunner.h"

#include "Platform/Async/TaskHandle.h"
#include "Support/CommandRunFailures.h"
#include "Support/FakeCommandRunner.h"
#include "Support/TestRuntime.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

namespace {

const QString pingExecutable = QStringLiteral("/sbin/ping");
const QStringList monitorPingArguments{"-c", "2", "-W", "1500", "192.168.1.1"};

const QString answeredPing =
    QStringLiteral("PING 192.168.1.1 (192.168.1.1): 56 data bytes\n"
                   "64 bytes from 192.168.1.1: icmp_seq=0 ttl=64 time=2.514 ms\n"
                   "64 bytes from 192.168.1.1: icmp_seq=1 ttl=64 time=4.102 ms\n"
                   "\n"
                   "--- 192.168.1.1 ping statistics ---\n"
                   "2 packets transmitted, 2 packets received, 0.0% packet loss\n"
                   "round-trip min/avg/max/stddev = 2.514/3.308/4.102/0.794 ms\n");

const QString halfAnsweredPing =
    QStringLiteral("PING 192.168.1.1 (192.168.1.1): 56 data bytes\n"
                   "64 bytes from 192.168.1.1: icmp_seq=0 ttl=64 time=5.250 ms\n"
                   "Request timeout for icmp_seq 1\n"
                   "\n"
                   "--- 192.168.1.1 ping statistics ---\n"
                   "2 packets transmitted, 1 packets received, 50.0% packet loss\n"
                   "round-trip min/avg/max/stddev = 5.250/5.250/5.250/0.000 ms\n");

const QString unansweredPing =
    QStringLiteral("PING 192.168.1.1 (192.168.1.1): 56 data bytes\n"
                   "Request timeout for icmp_seq 0\n"
                   "\n"
                   "--- 192.168.1.1 ping statistics ---\n"
                   "2 packets transmitted, 0 packets received, 100.0% packet loss\n");

CommandRunnerError nonZeroExit(const QString& executable, int exitCode, const QString& output) {
    return CommandRunnerError::NonZeroExit{executable, exitCode, output, QString()};
}

const QString ipconfig = QStringLiteral("/usr/sbin/ipconfig");
const QString netstat = QStringLiteral("/usr/sbin/netstat");
const QStringList routerQuery{"getoption", "en1", "router"};
const QStringList ipv4Table{"-rn", "-f", "inet"};
const QStringList ipv6Table{"-rn", "-f", "inet6"};

const QString ipv4Routes =
    QStringLiteral("Routing tables\n\nInternet:\n"
                   "Destination        Gateway            Flags           Netif Expire\n"
                   "default            10.8.0.1           UGScIg          utun3       \n"
                   "default            192.168.1.1        UGScg             en1       \n"
                   "127.0.0.1          127.0.0.1          UH                lo0       \n");

// Both interfaces rank alike: without a preference en0's gateway, which sorts
// first, wins.
const QString ipv6Routes = QStringLiteral(
    "Routing tables\n\nInternet6:\n"
    "Destination                 Gateway                 Flags         Netif Expire\n"
    "default                     fe80::1%en0             UGcg            en0       \n"
    "default                     fe80::9a1%en1           UGcg            en1       \n"
    "::1                         ::1                     UHL             lo0       \n");

} // namespace

class CommandLinePingProbeRunnerTest : public testing::Test {
protected:
    TestRuntime runtime;
    std::shared_ptr<FakeCommandRunner> runner = std::make_shared<FakeCommandRunner>();
    std::optional<QString> wifiInterfaceName;

    CommandLinePingProbeRunner makeProbe(std::int64_t packetCount = 2, double gracePeriod = 0.5) {
        return CommandLinePingProbeRunner(runner, packetCount, gracePeriod,
                                          [this] { return wifiInterfaceName; });
    }

    PingProbeMeasurement pingTarget(PingProbeRunning& probe, QString target, double timeout) {
        return runtime.runToCompletion([&]() -> Async::Task<PingProbeMeasurement> {
            co_return co_await probe.performPing(target, timeout);
        });
    }

    PingProbeMeasurement pingRouterAnswering(const QString& output) {
        runner->succeed(pingExecutable, monitorPingArguments, output);
        auto probe = makeProbe();
        return pingTarget(probe, "192.168.1.1", 1.5);
    }

    PingProbeMeasurement pingRouterFailingWith(CommandRunnerError error) {
        runner->fail(pingExecutable, monitorPingArguments, std::move(error));
        auto probe = makeProbe();
        return pingTarget(probe, "192.168.1.1", 1.5);
    }

    std::optional<QString> resolveGateway(double timeout = 1.5) {
        auto probe = makeProbe();
        return runtime.runToCompletion([&]() -> Async::Task<std::optional<QString>> {
            co_return co_await probe.resolveDefaultGateway(timeout);
        });
    }
};

// The ping command

TEST_F(CommandLinePingProbeRunnerTest, BuildsThePingCommandForEachKindOfTarget) {
    struct Case {
        std::int64_t packetCount;
        double gracePeriod;
        QString target;
        double timeout;
        CommandRequest expected;
    };
    const std::vector<Case> cases{
        {2,
         0.5,
         "192.168.1.1",
         1.5,
         {pingExecutable, {"-c", "2", "-W", "1500", "192.168.1.1"}, 4.5}},
        {1,
         0.5,
         "example.com",
         2.0,
         {pingExecutable, {"-c", "1", "-W", "2000", "example.com"}, 2.5}},
        {2, 0.5, "fe80::1%en0", 1.5, {"/sbin/ping6", {"-c", "2", "fe80::1%en0"}, 4.5}},
        {1, 0.5, "2001:db8::1", 2.0, {"/sbin/ping6", {"-c", "1", "2001:db8::1"}, 2.5}},
        {3, 0.25, "1.1.1.1", 1.0, {pingExecutable, {"-c", "3", "-W", "1000", "1.1.1.1"}, 5.25}},
    };
    for (const Case& testCase : cases) {
        auto probe = makeProbe(testCase.packetCount, testCase.gracePeriod);
        pingTarget(probe, testCase.target, testCase.timeout);
        ASSERT_FALSE(runner->requests().empty());
        const CommandRequest& request = runner->requests().back();
        EXPECT_EQ(request.executable, testCase.expected.executable);
        EXPECT_EQ(request.arguments, testCase.expected.arguments);
        EXPECT_DOUBLE_EQ(request.timeout, testCase.expected.timeout)
            << testCase.target.toStdString();
    }
}

TEST_F(CommandLinePingProbeRunnerTest, TimeoutOfZeroOrBelowWaitsOneMillisecond) {
    for (double timeout : {0.0, -3.0, 0.0001}) {
        auto probe = makeProbe(2, 0.5);
        pingTarget(probe, "1.1.1.1", timeout);
        const CommandRequest& request = runner->requests().back();
        EXPECT_EQ(request.arguments, (QStringList{"-c", "2", "-W", "1", "1.1.1.1"})) << timeout;
        EXPECT_DOUBLE_EQ(request.timeout, 0.001 * 2 + 1 + 0.5) << timeout;
    }
}

TEST_F(CommandLinePingProbeRunnerTest, WaitIsRoundedToWholeMillisecondsHalfAwayFromZero) {
    struct Case {
        double timeout;
        QString wait;
    };
    for (const Case& testCase : std::vector<Case>{
             {0.0025, "3"}, {0.0015, "2"}, {1.2344, "1234"}, {1.2346, "1235"}, {30.0, "30000"}}) {
        auto probe = makeProbe(1, 0);
        pingTarget(probe, "1.1.1.1", testCase.timeout);
        EXPECT_EQ(runner->requests().back().arguments[3], testCase.wait) << testCase.timeout;
    }
}

TEST_F(CommandLinePingProbeRunnerTest, NegativeGraceCountsAsNoneAndFewerThanOnePacketAsOne) {
    auto noGrace = makeProbe(2, -2.0);
    pingTarget(noGrace, "1.1.1.1", 1.0);
    EXPECT_DOUBLE_EQ(runner->requests().back().timeout, 3.0);

    for (std::int64_t packetCount : {0, -1}) {
        auto probe = makeProbe(packetCount, 0.5);
        pingTarget(probe, "1.1.1.1", 1.0);
        const CommandRequest& request = runner->requests().back();
        EXPECT_EQ(request.arguments[1], QString::number(packetCount));
        EXPECT_DOUBLE_EQ(request.timeout, 1.5) << packetCount;
    }
}

// Reading the ping

TEST_F(CommandLinePingProbeRunnerTest, WaitsBeyondAnyCountSaturateAndNaNWaitsOneMillisecond) {
    auto probe = makeProbe();
    const auto waitArgument = [&](double timeout) {
        pingTarget(probe, "192.168.1.1", timeout);
        return runner->requests().back().arguments.at(3);
    };
    EXPECT_EQ(waitArgument(std::numeric_limits<double>::infinity()),
              QStringLiteral("9223372036854775807"));
    EXPECT_EQ(waitArgument(1e300), QStringLiteral("9223372036854775807"));
    EXPECT_EQ(waitArgument(std::nan("")), QStringLiteral("1"));
}

TEST_F(CommandLinePingProbeRunnerTest, TargetsThePingToolWouldMisreadAreRefusedWithoutARun) {
    auto probe = makeProbe();
    for (const QString& target :
         {QStringLiteral("-f"), QStringLiteral("-c100"), QStringLiteral("1.1.1.1 -f"),
          QStringLiteral("host\tname"), QStringLiteral("host\nname"), QStringLiteral("a\u2028b"),
          QStringLiteral("ho\u0001st"), QString()}) {
        EXPECT_EQ(pingTarget(probe, target, 1.5),
                  (PingProbeMeasurement{std::nullopt, std::nullopt, 100, false}))
            << target.toStdString();
    }
    EXPECT_TRUE(runner->requests().empty());
    // A dash inside a host name, or a scoped IPv6 address, is an ordinary target.
    pingTarget(probe, "my-router.local", 1.5);
    pingTarget(probe, "fe80::1%en0", 1.5);
    EXPECT_EQ(runner->requests().size(), 2u);
}

TEST_F(CommandLinePingProbeRunnerTest, AnsweredPingGivesAverageDeviationAndLoss) {
    EXPECT_EQ(pingRouterAnswering(answeredPing), (PingProbeMeasurement{3.308, 0.794, 0, true}));
}

TEST_F(CommandLinePingProbeRunnerTest, PartlyAnsweredPingThatExitsNonZeroStillSucceeds) {
    EXPECT_EQ(pingRouterFailingWith(nonZeroExit(pingExecutable, 2, halfAnsweredPing)),
              (PingProbeMeasurement{5.25, 0, 50, true}));
}

TEST_F(CommandLinePingProbeRunnerTest, UnansweredPingFailsWithFullLoss) {
    EXPECT_EQ(pingRouterFailingWith(nonZeroExit(pingExecutable, 2, unansweredPing)),
              (PingProbeMeasurement{std::nullopt, std::nullopt, 100, false}));
}

TEST_F(CommandLinePingProbeRunnerTest, ReportedLossIsKeptWhenTheSummaryIsUnreadable) {
    const QString output =
        QStringLiteral("3 packets transmitted, 2 packets received, 33.3% packet loss\n"
                       "round-trip min/avg/max/stddev = 1.2.3/2.0/3.0/0.5 ms\n");
    EXPECT_EQ(pingRouterAnswering(output),
              (PingProbeMeasurement{std::nullopt, std::nullopt, 33.3, false}));
}

TEST_F(CommandLinePingProbeRunnerTest, SummaryWithoutLossLineReportsFullLoss) {
    EXPECT_EQ(pingRouterAnswering("rtt min/avg/max/mdev = 1.0/2.0/3.0/0.5 ms\n"),
              (PingProbeMeasurement{2.0, 0.5, 100, true}));
}

TEST_F(CommandLinePingProbeRunnerTest, RunThatPrintedNothingToReadFails) {
    for (const auto& failure : failuresWithoutOutput(pingExecutable)) {
        runner->fail(pingExecutable, monitorPingArguments, failure);
        auto probe = makeProbe();
        EXPECT_EQ(pingTarget(probe, "192.168.1.1", 1.5),
                  (PingProbeMeasurement{std::nullopt, std::nullopt, 100, false}));
    }
}

// The default gateway

TEST_F(CommandLinePingProbeRunnerTest, WiFiRouterFromIPConfigIsReturnedWithoutReadingRoutes) {
    wifiInterfaceName = "en1";
    runner->succeed(ipconfig, routerQuery, "192.168.1.1\n");
    runner->succeed(netstat, ipv4Table, ipv4Routes);
    EXPECT_EQ(resolveGateway(2.0), "192.168.1.1");
    ASSERT_EQ(runner->requests().size(), 1u);
    EXPECT_EQ(runner->requests().front(), (CommandRequest{ipconfig, routerQuery, 2.0}));
}

TEST_F(CommandLinePingProbeRunnerTest, WithoutIPv4RouterTheWiFiInterfacesIPv6RouteIsPreferred) {
    wifiInterfaceName = "en1";
    runner->fail(ipconfig, routerQuery, nonZeroExit(ipconfig, 1, QString()));
    runner->succeed(netstat, ipv6Table, ipv6Routes);
    runner->succeed(netstat, ipv4Table, ipv4Routes);
    EXPECT_EQ(resolveGateway(), "fe80::9a1%en1");
    EXPECT_EQ(runner->commandLines(), (QStringList{"/usr/sbin/ipconfig getoption en1 router",
                                                   "/usr/sbin/netstat -rn -f inet6"}));
}

TEST_F(CommandLinePingProbeRunnerTest, RouterAnswersThatAreNotUsableIPv4AddressesPassOn) {
    wifiInterfaceName = "en1";
    runner->succeed(netstat, ipv6Table, ipv6Routes);
    const std::vector<CommandRunnerError> unusable{
        nonZeroExit(ipconfig, 1, "192.168.1.1\n"),
        CommandRunnerError::TimedOut{ipconfig, 1.5},
    };
    for (const CommandRunnerError& error : unusable) {
        runner->fail(ipconfig, routerQuery, error);
        EXPECT_EQ(resolveGateway(), "fe80::9a1%en1");
    }
    for (const QString& output : QStringList{"", "\n", "fe80::1\n", "192.168.1\n"}) {
        runner->succeed(ipconfig, routerQuery, output);
        EXPECT_EQ(resolveGateway(), "fe80::9a1%en1") << output.toStdString();
    }
}

TEST_F(CommandLinePingProbeRunnerTest, WiFiInterfaceWithoutRoutesFallsBackToAnyIPv4Route) {
    wifiInterfaceName = "en1";
    runner->succeed(ipconfig, routerQuery, "\n");
    runner->fail(netstat, ipv6Table, nonZeroExit(netstat, 1, ipv6Routes));
    runner->succeed(netstat, ipv4Table, ipv4Routes);
    EXPECT_EQ(resolveGateway(), "192.168.1.1");
    EXPECT_EQ(runner->commandLines(),
              (QStringList{"/usr/sbin/ipconfig getoption en1 router",
                           "/usr/sbin/netstat -rn -f inet6", "/usr/sbin/netstat -rn -f inet"}));
}

TEST_F(CommandLinePingProbeRunnerTest, WithoutWiFiTheIPv4TableIsReadBeforeTheIPv6Table) {
    runner->succeed(netstat, ipv4Table, ipv4Routes);
    runner->succeed(netstat, ipv6Table, ipv6Routes);
    EXPECT_EQ(resolveGateway(), "192.168.1.1");
    EXPECT_EQ(runner->commandLines(), QStringList{"/usr/sbin/netstat -rn -f inet"});
}

TEST_F(CommandLinePingProbeRunnerTest, WithoutIPv4DefaultRouteAnyIPv6RouteIsTaken) {
    runner->succeed(netstat, ipv4Table,
                    "Routing tables\n\nInternet:\n127.0.0.1 127.0.0.1 UH lo0\n");
    runner->succeed(netstat, ipv6Table, ipv6Routes);
    EXPECT_EQ(resolveGateway(1.0), "fe80::1%en0");
    EXPECT_EQ(runner->requests(),
              (std::vector<CommandRequest>{{netstat, ipv4Table, 1.0}, {netstat, ipv6Table, 1.0}}));
}

TEST_F(CommandLinePingProbeRunnerTest, NoGatewayWhenEveryStepFails) {
    wifiInterfaceName = "en1";
    runner->fail(ipconfig, routerQuery, CommandRunnerError::LaunchFailed{"no ipconfig"});
    runner->fail(netstat, ipv6Table, std::make_exception_ptr(std::runtime_error("broken")));
    runner->succeed(netstat, ipv4Table, "default\n");
    EXPECT_EQ(resolveGateway(), std::nullopt);
    EXPECT_EQ(
        runner->commandLines(),
        (QStringList{"/usr/sbin/ipconfig getoption en1 router", "/usr/sbin/netstat -rn -f inet6",
                     "/usr/sbin/netstat -rn -f inet", "/usr/sbin/netstat -rn -f inet6"}));
}

TEST_F(CommandLinePingProbeRunnerTest, CancelledCallerGetsNoGatewayAfterEveryStepEndsAtOnce) {
    wifiInterfaceName = "en1";
    runner->succeed(ipconfig, routerQuery, "192.168.1.1\n");
    runner->succeed(netstat, ipv6Table, ipv6Routes);
    runner->succeed(netstat, ipv4Table, ipv4Routes);
    auto probe = makeProbe();
    auto handle = Async::spawn([&]() -> Async::Task<std::optional<QString>> {
        co_return co_await probe.resolveDefaultGateway(1.5);
    });
    handle.cancel();
    EXPECT_EQ(runtime.runToCompletion([&]() -> Async::Task<std::optional<QString>> {
        co_return co_await handle.join();
    }),
              std::nullopt);
    EXPECT_EQ(runner->requests().size(), 4u);
}

TEST_F(CommandLinePingProbeRunnerTest, CancelledCallerGetsAFailedPing) {
    runner->succeed(pingExecutable, monitorPingArguments, answeredPing);
    auto probe = makeProbe();
    auto handle = Async::spawn([&]() -> Async::Task<PingProbeMeasurement> {
        co_return co_await probe.performPing("192.168.1.1", 1.5);
    });
    handle.cancel();
    EXPECT_EQ(runtime.runToCompletion(
                  [&]() -> Async::Task<PingProbeMeasurement> { co_return co_await handle.join(); }),
              (PingProbeMeasurement{std::nullopt, std::nullopt, 100, false}));
}
