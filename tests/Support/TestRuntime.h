#pragma once

#include "Platform/Async/Runtime.h"
#include "Platform/Async/TaskHandle.h"
#include "Support/ManualExecutor.h"
#include "Support/VirtualClock.h"

#include <chrono>
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

    static Date startDate();

private:
    std::shared_ptr<ManualExecutor> executor_;
    std::shared_ptr<VirtualClock> clock_;
    Async::Runtime runtime_;
};
