#pragma once

#include "Platform/Async/TaskHandle.h"
#include "Platform/Async/detail/Result.h"

#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>

// A spawned task and the value or error it ends with.
template <class T> class SpawnedOutcome {
public:
    Async::TaskHandle<void> handle;

    bool isFinished() const { return result_->has_value(); }

    // The task's value; rethrows its error. Throws std::logic_error while it runs.
    T value() const {
        if (!isFinished()) {
            throw std::logic_error("the task has not finished");
        }
        return Async::detail::getResult(**result_);
    }

    // The error the task ended with, or null.
    std::exception_ptr error() const { return isFinished() ? (*result_)->exception() : nullptr; }

    template <class Work> static SpawnedOutcome start(Work&& work) {
        SpawnedOutcome outcome;
        outcome.handle =
            Async::spawn([result = outcome.result_,
                          work = std::forward<Work>(work)]() mutable -> Async::Task<void> {
                Async::detail::Result<T> finished;
                try {
                    if constexpr (std::is_void_v<T>) {
                        co_await work();
                        finished.setValue({});
                    } else {
                        finished.setValue(co_await work());
                    }
                } catch (...) {
                    finished.setException(std::current_exception());
                }
                *result = std::move(finished);
            });
        return outcome;
    }

private:
    std::shared_ptr<std::optional<Async::detail::Result<T>>> result_ =
        std::make_shared<std::optional<Async::detail::Result<T>>>();
};

// Spawns `work` (a callable returning a Task) and collects how it ends.
template <class Work> auto spawnOutcome(Work&& work) {
    using T = typename std::invoke_result_t<std::remove_cvref_t<Work>&>::ResultType;
    return SpawnedOutcome<T>::start(std::forward<Work>(work));
}
