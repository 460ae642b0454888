#pragma once

#include "Platform/Async/Runtime.h"
#include "Platform/Async/TaskHandle.h"
#include "Support/ManualExecutor.h"
#include "Support/VirtualClock.h"

#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>

// A task runtime driven by the test: a manual executor and a virtual clock
// starting at a fixed date. Frames still suspended at destruction are destroyed.
class TestRuntime {
public:
    TestRuntime();

    ManualExecutor& executor() { return *executor_; }
    VirtualClock& clock() { return *clock_; }
    Async::Runtime& runtime() { return runtime_; }

    std::size_t runUntilIdle() { return executor_->runUntilIdle(); }
    void advance(double seconds) { clock_->advance(seconds); }

    // Spawns `work`, runs until idle and returns its value (or rethrows its
    // error); throws std::logic_error when it is still suspended.
    template <class Work> auto runToCompletion(Work&& work) {
        auto handle = Async::spawn(std::forward<Work>(work));
        using T = Async::detail::WorkResult_t<Work>;
        std::optional<Async::detail::Result<T>> outcome;
        auto collect = Async::spawn([handle, &outcome]() -> Async::Task<void> {
            Async::detail::Result<T> result;
            try {
                if constexpr (std::is_void_v<T>) {
                    co_await handle.join();
                    result.setValue({});
                } else {
                    result.setValue(co_await handle.join());
                }
            } catch (...) {
                result.setException(std::current_exception());
            }
            outcome = std::move(result);
        });
        runUntilIdle();
        if (!outcome) {
            throw std::logic_error("the task did not finish");
        }
        return Async::detail::takeResult(*outcome);
    }

    // Runs the Qt event loop (child processes, sockets) and the executor by
    // turns until `condition` holds or `milliseconds` of real time pass.
    bool pumpUntil(const std::function<bool()>& condition, int milliseconds = 10'000);

    // Spawns `work` and pumps until it has finished; returns its value (or
    // rethrows its error), or throws std::logic_error when it did not finish.
    template <class Work> auto runPumpingEvents(Work&& work, int milliseconds = 10'000) {
        auto handle = Async::spawn(std::forward<Work>(work));
        if (!pumpUntil([&] { return handle.isFinished(); }, milliseconds)) {
            throw std::logic_error("the task did not finish in time");
        }
        return runToCompletion([handle]() { return joined(handle); });
    }

    static Date startDate();

private:
    template <class T> static Async::Task<T> joined(Async::TaskHandle<T> handle) {
        co_return co_await handle.join();
    }

    std::shared_ptr<ManualExecutor> executor_;
    std::shared_ptr<VirtualClock> clock_;
    Async::Runtime runtime_;
};
