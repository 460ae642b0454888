#include "Support/NetworkNamespaceEntry.h"
#include "Support/TestNetworkNamespace.h"
#include "Support/TestRuntime.h"
#include "System/CommandLinePingProbeRunner.h"
#include "System/CommandLineTCPConnectionCounter.h"
#include "System/CommandParsers.h"
#include "System/ShellCommandRunner.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>

// The probes, the runner and the tool stand-ins together, against a network
// the test builds in its own namespace.
class CommandLineProbesEndToEndTest : public testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0) {
            GTEST_SKIP() << "Skipped: creating a network namespace needs root.";
        }
        const QString whyNot = createNetwork();
        if (!whyNot.isEmpty()) {
            GTEST_SKIP() << "Skipped: network namespaces are refused here (" << whyNot.toStdString()
                         << ").";
        }
    }

    // A veth pair with documentation addresses and a default route via 192.0.2.1.
    QString createNetwork() {
        const QString whyNot = network.create();
        if (!whyNot.isEmpty()) {
            return whyNot;
        }
        const QList<QStringList> steps{
            {"link", "add", "pv0", "type", "veth", "peer", "name", "pv1"},
            {"addr", "add", "192.0.2.2/24", "dev", "pv0"},
            {"addr", "add", "192.0.2.1/24", "dev", "pv1"},
            {"-6", "addr", "add", "2001:db8::2/64", "dev", "pv0", "nodad"},
            {"link", "set", "pv0", "up"},
            {"link", "set", "pv1", "up"},
            {"route", "add", "default", "via", "192.0.2.1", "dev", "pv0"},
        };
        for (const QStringList& step : steps) {
            if (!network.ip(step)) {
                return QStringLiteral("`ip %1` failed in the namespace").arg(step.join(u' '));
            }
        }
        return {};
    }

    CommandLinePingProbeRunner makePingProbe(std::optional<QString> wifiInterface) {
        return CommandLinePingProbeRunner(runner, 2, 0.5,
                                          [wifiInterface] { return wifiInterface; });
    }

    QString runTool(const QString& executable, const QStringList& arguments) {
        const CommandRequest request{executable, arguments, 10.0};
        return runtime.runPumpingEvents([&]() -> Async::Task<QString> {
            co_return (co_await runner->run(request)).standardOutput;
        });
    }

    TestNetworkNamespace network;
    TestRuntime runtime;
    std::shared_ptr<ShellCommandRunner> runner =
        std::make_shared<ShellCommandRunner>(ShellCommandRunner::defaultAllowedExecutables(),
                                             ToolRoot(QStringLiteral(PELMOR_TOOL_ROOT)));
};

TEST_F(CommandLineProbesEndToEndTest, GatewayResolutionFindsTheRouterThroughTheStandIns) {
    NetworkNamespaceEntry entry(network.name());
    ASSERT_TRUE(entry.isEntered());
    for (const auto& wifiInterface :
         {std::optional<QString>(QStringLiteral("pv0")), std::optional<QString>()}) {
        auto probe = makePingProbe(wifiInterface);
        const auto gateway = runtime.runPumpingEvents([&]() -> Async::Task<std::optional<QString>> {
            co_return co_await probe.resolveDefaultGateway(1.5);
        });
        EXPECT_EQ(gateway, QStringLiteral("192.0.2.1"))
            << "asked via " << wifiInterface.value_or("the route table").toStdString();
    }
}

TEST_F(CommandLineProbesEndToEndTest, PingOfLoopbackSucceedsWithItsRoundTripFigures) {
    NetworkNamespaceEntry entry(network.name());
    ASSERT_TRUE(entry.isEntered());
    auto probe = makePingProbe(QStringLiteral("pv0"));
    const auto measurement = runtime.runPumpingEvents([&]() -> Async::Task<PingProbeMeasurement> {
        co_return co_await probe.performPing(QStringLiteral("127.0.0.1"), 1.5);
    });
    EXPECT_TRUE(measurement.didSucceed);
    ASSERT_TRUE(measurement.latencyMilliseconds.has_value());
    EXPECT_GT(*measurement.latencyMilliseconds, 0.0);
    EXPECT_LT(*measurement.latencyMilliseconds, 1000.0);
    ASSERT_TRUE(measurement.jitterMilliseconds.has_value());
    EXPECT_GE(*measurement.jitterMilliseconds, 0.0);
    EXPECT_EQ(measurement.packetLossPercent, 0.0);
}

TEST_F(CommandLineProbesEndToEndTest, ConnectionCounterSeesALoopbackConnection) {
    NetworkNamespaceEntry entry(network.name());
    ASSERT_TRUE(entry.isEntered());
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, server.serverPort());
    ASSERT_TRUE(client.waitForConnected(5000));
    ASSERT_TRUE(server.waitForNewConnection(5000));

    CommandLineTCPConnectionCounter counter(runner);
    const auto measurement =
        runtime.runPumpingEvents([&]() -> Async::Task<TCPConnectionMeasurement> {
            co_return co_await counter.fetchConnectionCounts(1.5);
        });
    ASSERT_TRUE(measurement.didSucceed);
    // Both ends of the one connection, and nothing else in this namespace.
    EXPECT_EQ(measurement.counts, (TCPConnectionStateCounts{2, 0, 0}));
}

TEST_F(CommandLineProbesEndToEndTest, EveryStandInPrintsWhatItsParserAccepts) {
    // A tunnel interface that is up, where the kernel offers tun devices.
    const bool hasTunnel = network.ip({"tuntap", "add", "mode", "tun", "name", "tun0"}) &&
                           network.ip({"link", "set", "tun0", "up"});
    NetworkNamespaceEntry entry(network.name());
    ASSERT_TRUE(entry.isEntered());
    const auto ipv4Table = runTool("/usr/sbin/netstat", {"-rn", "-f", "inet"});
    EXPECT_EQ(CommandParsers::parseDefaultGateway(ipv4Table, DefaultGatewayAddressFamily::ipv4,
                                                  QStringLiteral("pv0")),
              QStringLiteral("192.0.2.1"));
    EXPECT_EQ(CommandParsers::parseInterfaceIPv4Address(
                  runTool("/usr/sbin/ipconfig", {"getifaddr", "pv0"})),
              QStringLiteral("192.0.2.2"));
    EXPECT_EQ(CommandParsers::parseInterfaceIPv4Address(
                  runTool("/usr/sbin/ipconfig", {"getifaddr", "lo"})),
              QStringLiteral("127.0.0.1"));
    EXPECT_NO_THROW(CommandParsers::parsePingRoundTripStatistics(
        runTool("/sbin/ping", {"-c", "1", "-W", "1000", "127.0.0.1"})));
    EXPECT_EQ(CommandParsers::parseTCPConnectionStateCounts(
                  runTool("/usr/sbin/netstat", {"-n", "-p", "tcp"})),
              (TCPConnectionStateCounts{0, 0, 0}));
    EXPECT_EQ(CommandParsers::detectVPNInterface(runTool("/sbin/ifconfig", {})), hasTunnel);
}
