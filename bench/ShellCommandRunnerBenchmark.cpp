#include "Platform/Async/EventLoopExecutor.h"
#include "Platform/Async/EventLoopTimerService.h"
#include "Platform/Async/Runtime.h"
#include "Platform/Async/TaskHandle.h"
#include "System/ShellCommandRunner.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

extern char** environ;

namespace {

// A tool root whose "/sbin/ping" is the host's `true`: the cheapest real child.
struct TrivialToolRoot {
    TrivialToolRoot() {
        QDir().mkpath(directory.path() + QStringLiteral("/sbin"));
        QFile::link(QStringLiteral("/bin/true"), directory.path() + QStringLiteral("/sbin/ping"));
    }
    QString toolPath() const { return directory.path() + QStringLiteral("/sbin/ping"); }
    QTemporaryDir directory;
};

// The runner's round trip: launch, wait for the exit, decode the outputs.
void ShellCommandRunnerRoundTrip(benchmark::State& state) {
    TrivialToolRoot root;
    Async::Runtime runtime(std::make_shared<Async::EventLoopExecutor>(),
                           std::make_shared<Async::EventLoopTimerService>());
    ShellCommandRunner runner(ShellCommandRunner::defaultAllowedExecutables(),
                              ToolRoot(root.directory.path()));
    const CommandRequest request{QStringLiteral("/sbin/ping"), {}, 10.0};
    for (auto _ : state) {
        auto handle = Async::spawn(
            [&runner, &request]() -> Async::Task<void> { co_await runner.run(request); });
        while (!handle.isFinished()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }
}
BENCHMARK(ShellCommandRunnerRoundTrip)->UseRealTime();

// The same child with a bare posix_spawn and waitpid, for comparison.
void BareSpawnRoundTrip(benchmark::State& state) {
    TrivialToolRoot root;
    const QByteArray path = root.toolPath().toLocal8Bit();
    char* const arguments[] = {const_cast<char*>(path.constData()), nullptr};
    for (auto _ : state) {
        pid_t child = 0;
        if (posix_spawn(&child, path.constData(), nullptr, nullptr, arguments, environ) != 0) {
            state.SkipWithError("posix_spawn failed");
            break;
        }
        int status = 0;
        waitpid(child, &status, 0);
        benchmark::DoNotOptimize(status);
    }
}
BENCHMARK(BareSpawnRoundTrip)->UseRealTime();

} // namespace
