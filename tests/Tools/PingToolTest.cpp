#include "ToolProcess.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace {

const QString ping = QStringLiteral("/sbin/ping");

} // namespace

TEST(PingToolTest, RefusesInvocationsTheProbesDoNotMake) {
    for (const auto& arguments :
         {QStringList{}, QStringList{"127.0.0.1"}, QStringList{"-c", "1", "127.0.0.1"},
          QStringList{"-c", "1", "-W", "0", "127.0.0.1"},
          QStringList{"-c", "1", "-W", "100", "-f"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        expectUsageRefusal(runTool(ping, arguments));
    }
}

TEST(PingToolTest, LoopbackReplyGivesTheBsdSummaryAndStatusZero) {
    const auto run = runTool(ping, {"-c", "1", "-W", "1000", "127.0.0.1"});

    EXPECT_EQ(run.exitStatus, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_TRUE(run.standardOutput.contains(
        QStringLiteral("\n1 packets transmitted, 1 packets received, 0.0% packet loss\n")))
        << run.standardOutput.toStdString();
    EXPECT_TRUE(run.standardOutput.contains(QRegularExpression(QStringLiteral(
        R"(\nround-trip min/avg/max/stddev = [0-9.]+/[0-9.]+/[0-9.]+/[0-9.]+ ms\n)"))))
        << run.standardOutput.toStdString();
    EXPECT_TRUE(run.standardOutput.contains(QStringLiteral("bytes from 127.0.0.1:")));
    EXPECT_FALSE(run.standardOutput.contains(QStringLiteral("rtt ")));
}

TEST(PingToolTest, TargetThatNeverAnswersGivesTotalLossAndTheBsdNoReplyStatus) {
    if (!canIsolateNetwork()) {
        GTEST_SKIP() << "needs a network namespace of its own";
    }
    const auto run = runTool(ping, {"-c", "2", "-W", "300", "192.0.2.1"}, Network::isolated);

    EXPECT_EQ(run.exitStatus, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 2) << run.standardError.toStdString();
    EXPECT_TRUE(run.standardOutput.contains(
        QStringLiteral("\n2 packets transmitted, 0 packets received, 100.0% packet loss\n")))
        << run.standardOutput.toStdString();
    EXPECT_FALSE(run.standardOutput.contains(QStringLiteral("round-trip")));
}
