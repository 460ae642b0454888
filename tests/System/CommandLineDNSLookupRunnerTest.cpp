#include "System/CommandLineDNSLookupRunner.h"

#include "Support/CommandRunFailures.h"
#include "Support/FakeCommandRunner.h"
#include "Support/TestRuntime.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <vector>

#include <QString>
#include <QStringList>

namespace {

const QString dig = QStringLiteral("/usr/bin/dig");
const QStringList monitorArguments{"+time=2", "+tries=1", "example.com"};

QString digAnswer(const QString& status, const QString& queryTimeLine) {
    return QStringLiteral("\n; <<>> DiG 9.10.6 <<>> +time=2 +tries=1 example.com\n"
                          ";; global options: +cmd\n"
                          ";; Got answer:\n"
                          ";; ->>HEADER<<- opcode: QUERY, status: %1, id: 5120\n"
                          ";; flags: qr rd ra; QUERY: 1, ANSWER: 1, AUTHORITY: 0, ADDITIONAL: 1\n"
                          "\n"
                          ";; ANSWER SECTION:\n"
                          "example.com.\t\t2841\tIN\tA\t93.184.215.14\n"
                          "\n"
                          "%2"
                          ";; SERVER: 192.168.1.1#53(192.168.1.1)\n"
                          ";; WHEN: Wed Mar 13 08:01:44 CET 2024\n"
                          ";; MSG SIZE  rcvd: 56\n\n")
        .arg(status, queryTimeLine);
}

const QString unreachableServers =
    QStringLiteral("\n; <<>> DiG 9.10.6 <<>> +time=2 +tries=1 example.com\n"
                   ";; global options: +cmd\n"
                   ";; connection timed out; no servers could be reached\n");

} // namespace

class CommandLineDNSLookupRunnerTest : public testing::Test {
protected:
    TestRuntime runtime;
    std::shared_ptr<FakeCommandRunner> runner = std::make_shared<FakeCommandRunner>();
    CommandLineDNSLookupRunner lookupRunner{runner};

    DNSLookupMeasurement lookup(QString domain = "example.com", double timeout = 1.5) {
        return runtime.runToCompletion([&]() -> Async::Task<DNSLookupMeasurement> {
            co_return co_await lookupRunner.lookup(domain, timeout);
        });
    }
};

TEST_F(CommandLineDNSLookupRunnerTest, DigWaitsWholeSecondsRoundedUpWhileTheRunnerWaitsTheTimeout) {
    struct Case {
        double timeout;
        QString digTime;
    };
    const std::vector<Case> cases{{1.5, "+time=2"},  {0.2, "+time=1"}, {0.0, "+time=1"},
                                  {-4.0, "+time=1"}, {3.0, "+time=3"}, {3.01, "+time=4"}};
    for (const Case& testCase : cases) {
        lookup("apple.com", testCase.timeout);
        EXPECT_EQ(
            runner->requests().back(),
            (CommandRequest{dig, {testCase.digTime, "+tries=1", "apple.com"}, testCase.timeout}))
            << testCase.timeout;
    }
}

TEST_F(CommandLineDNSLookupRunnerTest, QueryTimeIsTheMeasuredLatency) {
    runner->succeed(dig, monitorArguments, digAnswer("NOERROR", ";; Query time: 12 msec\n"));
    EXPECT_EQ(lookup(), (DNSLookupMeasurement{12, true}));
}

TEST_F(CommandLineDNSLookupRunnerTest, AnyAnswerWithAQueryTimeSucceeds) {
    runner->succeed(dig, monitorArguments, digAnswer("NXDOMAIN", ";; Query time: 31 msec\n"));
    EXPECT_EQ(lookup(), (DNSLookupMeasurement{31, true}));

    runner->fail(dig, monitorArguments,
                 CommandRunnerError::NonZeroExit{
                     dig, 9, digAnswer("SERVFAIL", ";; Query time: 4 msec\n"), QString()});
    EXPECT_EQ(lookup(), (DNSLookupMeasurement{4, true}));
}

TEST_F(CommandLineDNSLookupRunnerTest, OutputWithoutQueryTimeFailsWhateverTheExitStatus) {
    runner->succeed(dig, monitorArguments, unreachableServers);
    EXPECT_EQ(lookup(), (DNSLookupMeasurement{std::nullopt, false}));

    runner->fail(dig, monitorArguments,
                 CommandRunnerError::NonZeroExit{dig, 9, unreachableServers, QString()});
    EXPECT_EQ(lookup(), (DNSLookupMeasurement{std::nullopt, false}));
}

TEST_F(CommandLineDNSLookupRunnerTest, RunThatPrintedNothingToReadFails) {
    for (const auto& failure : failuresWithoutOutput(dig)) {
        runner->fail(dig, monitorArguments, failure);
        EXPECT_EQ(lookup(), (DNSLookupMeasurement{std::nullopt, false}));
    }
}

TEST_F(CommandLineDNSLookupRunnerTest, DomainsDigWouldReadAsOptionsOrServersAreRefusedWithoutARun) {
    for (const QString& domain :
         {QStringLiteral("-x"), QStringLiteral("+short"), QStringLiteral("@192.0.2.53"),
          QStringLiteral("example.com +tcp"), QStringLiteral("exa\u0000mple.com"), QString()}) {
        EXPECT_EQ(lookup(domain), (DNSLookupMeasurement{std::nullopt, false}))
            << domain.toStdString();
    }
    EXPECT_TRUE(runner->requests().empty());
}

TEST_F(CommandLineDNSLookupRunnerTest, DigTimeSaturatesForTimeOutsBeyondAnyCount) {
    lookup("example.com", std::numeric_limits<double>::infinity());
    lookup("example.com", std::nan(""));
    ASSERT_EQ(runner->requests().size(), 2u);
    EXPECT_EQ(runner->requests()[0].arguments.front(), QStringLiteral("+time=9223372036854775807"));
    EXPECT_EQ(runner->requests()[1].arguments.front(), QStringLiteral("+time=1"));
}
