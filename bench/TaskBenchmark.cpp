#include "Platform/Async/EventLoopExecutor.h"
#include "Platform/Async/EventLoopTimerService.h"
#include "Platform/Async/Runtime.h"
#include "Platform/Async/Sleep.h"
#include "Platform/Async/TaskHandle.h"

#include <benchmark/benchmark.h>
#include <memory>

#include <QCoreApplication>

namespace {

Async::Runtime makeEventLoopRuntime() {
    return Async::Runtime(std::make_shared<Async::EventLoopExecutor>(),
                          std::make_shared<Async::EventLoopTimerService>());
}

Async::Task<void> trivial(int& counter) {
    ++counter;
    co_return;
}

// One task at a time: spawn, let the event loop start it, see it finish.
void SpawnToCompletion(benchmark::State& state) {
    Async::Runtime runtime = makeEventLoopRuntime();
    int counter = 0;
    for (auto _ : state) {
        auto handle = Async::spawn(trivial(counter));
        while (!handle.isFinished()) {
            QCoreApplication::sendPostedEvents();
        }
    }
    benchmark::DoNotOptimize(counter);
}
BENCHMARK(SpawnToCompletion);

// Many tasks spawned in one turn and finished in the next.
void SpawnToCompletionBatched(benchmark::State& state) {
    Async::Runtime runtime = makeEventLoopRuntime();
    int counter = 0;
    const auto batch = state.range(0);
    for (auto _ : state) {
        for (int64_t index = 0; index < batch; ++index) {
            Async::spawn(trivial(counter));
        }
        while (runtime.liveTaskCount() > 0) {
            QCoreApplication::sendPostedEvents();
        }
    }
    state.SetItemsProcessed(state.iterations() * batch);
    benchmark::DoNotOptimize(counter);
}
BENCHMARK(SpawnToCompletionBatched)->Arg(1000);

// A running task gives up its turn and is resumed on the next one.
template <class Suspend> void RoundTrip(benchmark::State& state, Suspend suspend) {
    Async::Runtime runtime = makeEventLoopRuntime();
    int64_t remaining = 0;
    bool stop = false;
    auto task = Async::spawn([&]() -> Async::Task<void> {
        while (!stop) {
            co_await suspend();
            --remaining;
        }
    });
    QCoreApplication::sendPostedEvents();
    for (auto _ : state) {
        remaining = 1;
        while (remaining > 0) {
            QCoreApplication::sendPostedEvents();
        }
    }
    stop = true;
    while (!task.isFinished()) {
        QCoreApplication::sendPostedEvents();
    }
}

void SleepZeroRoundTrip(benchmark::State& state) {
    RoundTrip(state, [] { return Async::sleep(0); });
}
BENCHMARK(SleepZeroRoundTrip);

void YieldRoundTrip(benchmark::State& state) {
    RoundTrip(state, [] { return Async::yield(); });
}
BENCHMARK(YieldRoundTrip);

} // namespace
