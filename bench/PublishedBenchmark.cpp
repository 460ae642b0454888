#include "Platform/Reactive/Published.h"

#include <benchmark/benchmark.h>
#include <cstdint>

namespace {

void publishedAssignmentWithoutSubscribers(benchmark::State& state) {
    Reactive::Published<int> published(0);
    int next = 0;
    for (auto _ : state) {
        published.set(++next);
    }
    benchmark::DoNotOptimize(published.value());
}

void publishedAssignmentWithOneSubscriber(benchmark::State& state) {
    Reactive::Published<int> published(0);
    std::int64_t total = 0;
    const auto subscription = published.subscribe([&total](const int& value) {
        total += value;
        benchmark::DoNotOptimize(total);
    });
    int next = 0;
    for (auto _ : state) {
        published.set(++next);
    }
    benchmark::DoNotOptimize(total);
}

} // namespace

BENCHMARK(publishedAssignmentWithoutSubscribers);
BENCHMARK(publishedAssignmentWithOneSubscriber);
