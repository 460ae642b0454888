#include "System/ShellCommandRunner.h"

#include "Platform/Async/CancellationRegistration.h"
#include "Platform/Async/TaskHandle.h"
#include "Support/ProcessTable.h"
#include "Support/TestRuntime.h"
#include "System/CommandRunnerError.h"

#include <gtest/gtest.h>
#include <optional>
#include <thread>
#include <variant>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

using Outcome = std::variant<std::monostate, CommandExecutionResult, CommandRunnerError>;

const QString ping = QStringLiteral("/sbin/ping");
const QString netstat = QStringLiteral("/usr/sbin/netstat");

bool processIsAlive(qint64 pid) {
    return QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid));
}

// A tool script's start: a grandchild that runs `prelude`, then sleeps, its
// process id in grandchild.pid beside the tool folder.
QByteArray startsAGrandchild(const QByteArray& prelude) {
    return "(" + prelude + "exec sleep 60) & echo $! > \"$(dirname \"$0\")/../grandchild.pid\"; ";
}

} // namespace

// Runs the runner against scripted fake tools in a temporary tool root: real
// child processes, with virtual time for the time-outs.
class ShellCommandRunnerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(toolRoot.isValid()); }

    void writeTool(const QString& path, const QByteArray& script) {
        const QString file = toolRoot.path() + path;
        QDir().mkpath(QFileInfo(file).path());
        QFile tool(file);
        ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
        tool.write("#!/bin/sh\n" + script + "\n");
        tool.close();
        tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString marker(const QString& name) const { return toolRoot.path() + QLatin1Char('/') + name; }

    ShellCommandRunner makeRunner() {
        return ShellCommandRunner(ShellCommandRunner::defaultAllowedExecutables(),
                                  ToolRoot(toolRoot.path()));
    }

    // Starts a run in its own task; the outcome lands in the returned slot.
    std::shared_ptr<Outcome> start(ShellCommandRunner& runner, CommandRequest request,
                                   Async::TaskHandle<void>* handle = nullptr) {
        auto outcome = std::make_shared<Outcome>();
        auto task = Async::spawn([&runner, request, outcome]() -> Async::Task<void> {
            try {
                *outcome = co_await runner.run(request);
            } catch (const CommandRunnerError& error) {
                *outcome = error;
            }
        });
        if (handle != nullptr) {
            *handle = task;
        }
        return outcome;
    }

    template <class Condition> bool pumpUntil(Condition condition, int milliseconds = 10'000) {
        return runtime.pumpUntil(condition, milliseconds);
    }

    Outcome runToEnd(CommandRequest request) {
        auto runner = makeRunner();
        auto outcome = start(runner, std::move(request));
        EXPECT_TRUE(pumpUntil([&] { return outcome->index() != 0; }));
        return *outcome;
    }

    qint64 readPid(const QString& name) {
        qint64 pid = 0;
        pumpUntil([&] {
            QFile file(marker(name));
            if (file.open(QIODevice::ReadOnly)) {
                pid = file.readAll().trimmed().toLongLong();
            }
            return pid > 0;
        });
        return pid;
    }

    TestRuntime runtime;
    QTemporaryDir toolRoot;
};

TEST_F(ShellCommandRunnerTest, RefusesEveryPathOutsideTheAllowedSetWithoutStartingIt) {
    writeTool(ping, "touch \"$0.started\"");
    for (const QString& path :
         {QStringLiteral("/sbin/./ping"), QStringLiteral("/sbin/../sbin/ping"),
          QStringLiteral("sbin/ping"), QStringLiteral("/sbin/ping "), QStringLiteral("/bin/sh")}) {
        const auto outcome = runToEnd({path, {}, 5.0});
        EXPECT_EQ(std::get<CommandRunnerError>(outcome),
                  CommandRunnerError(CommandRunnerError::ExecutableNotAllowed{path}));
    }
    EXPECT_FALSE(QFileInfo::exists(toolRoot.path() + ping + QStringLiteral(".started")));
}

TEST_F(ShellCommandRunnerTest, ReturnsBothOutputsOfASuccessfulRunWithTheRequestAsGiven) {
    writeTool(ping, "for argument in \"$@\"; do printf '%s\\n' \"$argument\"; done\n"
                    "printf 'Grüße ✓' >&2");
    const QStringList arguments{QStringLiteral("a b"), QStringLiteral("$HOME"), QStringLiteral("*"),
                                QStringLiteral("")};
    const auto outcome = runToEnd({ping, arguments, 5.0});
    EXPECT_EQ(std::get<CommandExecutionResult>(outcome),
              (CommandExecutionResult{ping, arguments, 0, QStringLiteral("a b\n$HOME\n*\n\n"),
                                      QStringLiteral("Grüße ✓")}));
}

TEST_F(ShellCommandRunnerTest, SilentSuccessGivesEmptyTexts) {
    writeTool(netstat, "exit 0");
    const auto outcome = runToEnd({netstat, {QStringLiteral("-n")}, 5.0});
    const auto& result = std::get<CommandExecutionResult>(outcome);
    EXPECT_TRUE(result.standardOutput.isEmpty());
    EXPECT_TRUE(result.standardError.isEmpty());
}

TEST_F(ShellCommandRunnerTest, NonZeroExitCarriesTheStatusAndBothOutputs) {
    writeTool(ping, "echo 'round-trip summary'; echo 'no route' >&2; exit 2");
    EXPECT_EQ(std::get<CommandRunnerError>(runToEnd({ping, {}, 5.0})),
              CommandRunnerError(CommandRunnerError::NonZeroExit{
                  ping, 2, QStringLiteral("round-trip summary\n"), QStringLiteral("no route\n")}));
}

TEST_F(ShellCommandRunnerTest, AChildEndedByASignalReportsANonZeroStatus) {
    writeTool(ping, "echo partial; kill -TERM $$");
    const auto error = std::get<CommandRunnerError>(runToEnd({ping, {}, 5.0}));
    const auto* exit = error.as<CommandRunnerError::NonZeroExit>();
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->exitCode, 15);
    EXPECT_EQ(exit->standardOutput, QStringLiteral("partial\n"));
}

// Output that is not strict UTF-8, or more than a run may collect, cannot be
// read; a tool that writes without end fails long before its time-out.
TEST_F(ShellCommandRunnerTest, OutputThatCannotBeReadFailsWhateverTheStatus) {
    const QByteArray invalidOutputs[] = {
        "printf 'ok \\377 bytes'",           // a byte that never occurs in UTF-8
        "printf 'cut \\303'",                // a sequence cut off at the end
        "printf '\\355\\240\\200'",          // an encoded surrogate
        "printf '\\300\\257'",               // an overlong encoding
        "printf 'fine'; printf '\\377' >&2", // standard error counts too
        "printf '\\377'; exit 3",            // checked before the exit status
        "exec yes",                          // past the limit, without end
    };
    for (const QByteArray& script : invalidOutputs) {
        writeTool(ping, script);
        EXPECT_EQ(std::get<CommandRunnerError>(runToEnd({ping, {}, 5.0})),
                  CommandRunnerError(CommandRunnerError::OutputDecodingFailed{ping}))
            << script.toStdString();
    }
}

TEST_F(ShellCommandRunnerTest, OutputLargerThanAPipeBufferIsCollectedWhole) {
    writeTool(netstat, "head -c 3000000 /dev/zero | tr '\\0' 'x'; head -c 200000 /dev/zero | "
                       "tr '\\0' 'y' >&2");
    const auto outcome = runToEnd({netstat, {}, 30.0});
    const auto& result = std::get<CommandExecutionResult>(outcome);
    EXPECT_EQ(result.standardOutput.size(), 3'000'000);
    EXPECT_EQ(result.standardError.size(), 200'000);
    EXPECT_EQ(result.standardOutput.count(QLatin1Char('x')), 3'000'000);
}

TEST_F(ShellCommandRunnerTest, AToolThatCannotBeStartedFailsToLaunch) {
    const auto missing = std::get<CommandRunnerError>(runToEnd({ping, {}, 5.0}));
    const auto* launchFailed = missing.as<CommandRunnerError::LaunchFailed>();
    ASSERT_NE(launchFailed, nullptr);
    EXPECT_FALSE(launchFailed->description.isEmpty());

    writeTool(netstat, "exit 0");
    QFile(toolRoot.path() + netstat).setPermissions(QFile::ReadOwner);
    EXPECT_NE(std::get<CommandRunnerError>(runToEnd({netstat, {}, 5.0}))
                  .as<CommandRunnerError::LaunchFailed>(),
              nullptr);
}

// With the child goes what it started, also what ignores the terminate request.
TEST_F(ShellCommandRunnerTest, TimeOutEndsTheRunAndTerminatesTheChild) {
    writeTool(ping, startsAGrandchild("trap '' TERM; ") +
                        "echo $$ > \"$(dirname \"$0\")/../ping.pid\"; exec sleep 60");
    auto runner = makeRunner();
    auto outcome = start(runner, {ping, {}, 1.5});
    const qint64 pid = readPid(QStringLiteral("ping.pid"));
    ASSERT_GT(pid, 0);
    const auto grandchild = pid_t(readPid(QStringLiteral("grandchild.pid")));
    runtime.clock().advanceNanoseconds(1'499'999'999);
    EXPECT_EQ(outcome->index(), 0u) << "ended before its time-out";
    runtime.clock().advanceNanoseconds(1);
    EXPECT_EQ(std::get<CommandRunnerError>(*outcome),
              CommandRunnerError(CommandRunnerError::TimedOut{ping, 1.5}));
    EXPECT_TRUE(pumpUntil([&] { return !processIsAlive(pid); })) << "the child outlived its run";
    EXPECT_TRUE(pumpUntil([&] { return !ProcessTable::isRunning(grandchild); }, 1'000))
        << "what the child started outlived its run";
}

TEST_F(ShellCommandRunnerTest, AChildIgnoringTheTerminateRequestIsKilledAndReaped) {
    writeTool(ping, "trap '' TERM; echo $$ > \"$(dirname \"$0\")/../ping.pid\"; "
                    "while :; do sleep 0.05; done");
    auto runner = makeRunner();
    auto outcome = start(runner, {ping, {}, 1.0});
    const qint64 pid = readPid(QStringLiteral("ping.pid"));
    ASSERT_GT(pid, 0);
    runtime.advance(1.0);
    EXPECT_EQ(std::get<CommandRunnerError>(*outcome),
              CommandRunnerError(CommandRunnerError::TimedOut{ping, 1.0}));
    pumpUntil([] { return false; }, 1000);
    EXPECT_TRUE(processIsAlive(pid)) << "the child did not ignore the terminate request";
    // Gone from /proc means killed and reaped: a zombie keeps its entry.
    EXPECT_TRUE(pumpUntil([&] { return !processIsAlive(pid); }, 5000));
}

TEST_F(ShellCommandRunnerTest, ZeroOrNegativeTimeOutsEndAtOnceCarryingTheirValue) {
    writeTool(ping, "exec sleep 60");
    for (double timeout : {0.0, -2.0}) {
        const auto outcome = runToEnd({ping, {}, timeout});
        EXPECT_EQ(std::get<CommandRunnerError>(outcome),
                  CommandRunnerError(CommandRunnerError::TimedOut{ping, timeout}));
    }
}

TEST_F(ShellCommandRunnerTest, CancellingTheCallerTerminatesTheChildWithWhatItStarted) {
    writeTool(ping,
              startsAGrandchild("") + "echo $$ > \"$(dirname \"$0\")/../ping.pid\"; exec sleep 60");
    auto runner = makeRunner();
    Async::TaskHandle<void> handle;
    auto outcome = start(runner, {ping, {}, 30.0}, &handle);
    const qint64 pid = readPid(QStringLiteral("ping.pid"));
    ASSERT_GT(pid, 0);
    const auto grandchild = pid_t(readPid(QStringLiteral("grandchild.pid")));
    std::thread canceller([handle] { handle.cancel(); });
    canceller.join();
    EXPECT_TRUE(pumpUntil([&] { return outcome->index() != 0; }));
    EXPECT_EQ(std::get<CommandRunnerError>(*outcome),
              CommandRunnerError(CommandRunnerError::Cancelled{ping}));
    EXPECT_TRUE(pumpUntil([&] { return !processIsAlive(pid); })) << "the child outlived its run";
    EXPECT_TRUE(pumpUntil([&] { return !ProcessTable::isRunning(grandchild); }, 1'000))
        << "what the child started outlived its run";
}

TEST_F(ShellCommandRunnerTest, AnAlreadyCancelledCallerLaunchesNothing) {
    writeTool(ping, "touch \"$0.started\"");
    auto runner = makeRunner();
    Async::TaskHandle<void> handle;
    auto outcome = start(runner, {ping, {}, 5.0}, &handle);
    handle.cancel();
    EXPECT_TRUE(pumpUntil([&] { return outcome->index() != 0; }));
    EXPECT_EQ(std::get<CommandRunnerError>(*outcome),
              CommandRunnerError(CommandRunnerError::Cancelled{ping}));
    pumpUntil([] { return false; }, 200);
    EXPECT_FALSE(QFileInfo::exists(toolRoot.path() + ping + QStringLiteral(".started")));
}

TEST_F(ShellCommandRunnerTest, OverlappingRunsOnOneRunnerEndIndependently) {
    writeTool(ping, "sleep 0.2; echo \"$1\"; exit \"$2\"");
    auto runner = makeRunner();
    auto first = start(runner, {ping, {QStringLiteral("first"), QStringLiteral("0")}, 30.0});
    auto second = start(runner, {ping, {QStringLiteral("second"), QStringLiteral("4")}, 30.0});
    EXPECT_TRUE(pumpUntil([&] { return first->index() != 0 && second->index() != 0; }));
    EXPECT_EQ(std::get<CommandExecutionResult>(*first).standardOutput, QStringLiteral("first\n"));
    EXPECT_EQ(std::get<CommandRunnerError>(*second),
              CommandRunnerError(
                  CommandRunnerError::NonZeroExit{ping, 4, QStringLiteral("second\n"), QString()}));
}

// However a run ends before its time-out, the time-out goes with it.
TEST_F(ShellCommandRunnerTest, ARunThatEndsLeavesNoTimeOutWaiting) {
    struct Case {
        const char* ending;
        QByteArray script;
    };
    const Case cases[] = {
        {"success", "echo done"},
        {"failure", "exit 3"},
        {"undecodable output", "printf '\\377'"},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.ending);
        writeTool(ping, testCase.script);
        const auto outcome = runToEnd({ping, {}, 30.0});
        ASSERT_NE(outcome.index(), 0U);
        EXPECT_TRUE(pumpUntil([&] { return runtime.clock().pendingTimerCount() == 0; }, 2'000));
    }
}
