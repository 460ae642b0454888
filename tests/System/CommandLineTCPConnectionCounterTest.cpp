#include "System/CommandLineTCPConnectionCounter.h"

#include "Support/CommandRunFailures.h"
#include "Support/FakeCommandRunner.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>
#include <memory>

#include <QString>
#include <QStringList>

namespace {

const QString netstat = QStringLiteral("/usr/sbin/netstat");
const QStringList connectionTableArguments{"-n", "-p", "tcp"};

const QString header = QStringLiteral(
    "Active Internet connections\n"
    "Proto Recv-Q Send-Q  Local Address          Foreign Address        (state)    \n");

const QString connectionTable =
    header +
    QStringLiteral(
        "tcp4       0      0  192.168.1.23.52814     17.57.146.52.5223      ESTABLISHED\n"
        "tcp6       0      0  2a02:1210:5a0e:f0.52811 2a00:1450:400a:8.443  ESTABLISHED\n"
        "tcp4       0      0  192.168.1.23.52790     151.101.1.69.443       TIME_WAIT  \n"
        "tcp46      0      0  *.5000                 *.*                    LISTEN     \n");

} // namespace

class CommandLineTCPConnectionCounterTest : public testing::Test {
protected:
    TestRuntime runtime;
    std::shared_ptr<FakeCommandRunner> runner = std::make_shared<FakeCommandRunner>();
    CommandLineTCPConnectionCounter counter{runner};

    TCPConnectionMeasurement fetch(double timeout = 1.5) {
        return runtime.runToCompletion([&]() -> Async::Task<TCPConnectionMeasurement> {
            co_return co_await counter.fetchConnectionCounts(timeout);
        });
    }
};

TEST_F(CommandLineTCPConnectionCounterTest, CountsTheConnectionTableOfEveryAddressFamily) {
    runner->succeed(netstat, connectionTableArguments, connectionTable);
    EXPECT_EQ(fetch(2.5), (TCPConnectionMeasurement{TCPConnectionStateCounts{2, 1, 0}, true}));
    EXPECT_EQ(runner->requests(),
              (std::vector<CommandRequest>{{netstat, connectionTableArguments, 2.5}}));
}

TEST_F(CommandLineTCPConnectionCounterTest, TableWithoutConnectionsCountsZeros) {
    runner->succeed(netstat, connectionTableArguments, header);
    EXPECT_EQ(fetch(), (TCPConnectionMeasurement{TCPConnectionStateCounts{0, 0, 0}, true}));
}

TEST_F(CommandLineTCPConnectionCounterTest, TablePrintedBeforeANonZeroExitStillCounts) {
    runner->fail(netstat, connectionTableArguments,
                 CommandRunnerError::NonZeroExit{netstat, 1, connectionTable, "netstat: sysctl"});
    EXPECT_EQ(fetch(), (TCPConnectionMeasurement{TCPConnectionStateCounts{2, 1, 0}, true}));
}

TEST_F(CommandLineTCPConnectionCounterTest, RunThatPrintedNothingToReadGivesNoCounts) {
    for (const auto& failure : failuresWithoutOutput(netstat)) {
        runner->fail(netstat, connectionTableArguments, failure);
        EXPECT_EQ(fetch(), (TCPConnectionMeasurement{std::nullopt, false}));
    }
}

TEST_F(CommandLineTCPConnectionCounterTest, NonZeroExitThatPrintedOnlyBlankLinesIsAFailure) {
    runner->fail(
        netstat, connectionTableArguments,
        CommandRunnerError::NonZeroExit{netstat, 1, " \n\t\n", "netstat: permission denied"});
    EXPECT_EQ(fetch(), (TCPConnectionMeasurement{std::nullopt, false}));
}
