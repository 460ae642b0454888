#include "ToolProcess.h"

#include <gtest/gtest.h>

namespace {

const QString dig = QStringLiteral("/usr/bin/dig");

} // namespace

TEST(DigToolTest, RefusesInvocationsTheProbesDoNotMake) {
    for (const auto& arguments : {QStringList{}, QStringList{"example.com"},
                                  QStringList{"+time=2", "+tries=1", "@127.0.0.1"},
                                  QStringList{"+time=2", "+tries=1", "example.com", "@127.0.0.1"},
                                  QStringList{"+time=0", "+tries=1", "example.com"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        expectUsageRefusal(runTool(dig, arguments));
    }
}

// Without any network the host's dig fails at once; the stand-in must print and exit exactly
// as it does.
TEST(DigToolTest, PassesTheHostDigsOutputAndStatusThroughUnchanged) {
    if (!canIsolateNetwork()) {
        GTEST_SKIP() << "needs a network namespace of its own";
    }
    const QStringList arguments{"+time=1", "+tries=1", "example.invalid"};

    const auto standIn = runTool(dig, arguments, Network::isolated);
    const auto host = runProgram(QStringLiteral("/usr/bin/dig"), arguments, Network::isolated);

    EXPECT_EQ(standIn.exitStatus, QProcess::NormalExit);
    EXPECT_NE(standIn.exitCode, 0);
    EXPECT_EQ(standIn.exitCode, host.exitCode);
    EXPECT_FALSE(standIn.standardOutput.isEmpty());
    EXPECT_EQ(standIn.standardOutput, host.standardOutput);
}
