#pragma once

#include "Platform/Async/Runtime.h"
#include "Platform/Async/Task.h"
#include "Platform/Async/detail/Result.h"
#include "Platform/Async/detail/Resumer.h"
#include "Platform/Async/detail/TaskRunner.h"

#include <array>
#include <coroutine>
#include <cstddef>
#include <exception>
#include <memory>
#include <tuple>
#include <utility>

namespace Async {

namespace detail {

// Child tasks that all run at once and are all awaited: the first error (in
// completion order) cancels the others, and the awaiting task resumes only
// when every child has ended.
template <class... Ts> class ChildBatchState {
public:
    std::tuple<Result<Ts>...> results;
    std::array<std::shared_ptr<TaskContext>, sizeof...(Ts)> contexts;
    std::exception_ptr firstError;
    std::size_t remaining = sizeof...(Ts);
    Resumer awaiting;

    void childFinished(std::size_t index, bool failed, std::exception_ptr error) {
        if (failed && !firstError) {
            firstError = std::move(error);
            for (std::size_t other = 0; other < contexts.size(); ++other) {
                if (other != index) {
                    contexts[other]->cancel();
                }
            }
        }
        if (--remaining == 0) {
            awaiting.post();
        }
    }
};

template <class... Works> class ChildBatchAwaiter {
public:
    using State = ChildBatchState<WorkResult_t<Works>...>;

    explicit ChildBatchAwaiter(Works... works) : works_(std::move(works)...) {}

    bool await_ready() const noexcept { return false; }

    template <TaskPromise Awaiting> void await_suspend(std::coroutine_handle<Awaiting> awaiting) {
        const auto& parent = awaiting.promise().context;
        state_ = std::make_shared<State>();
        state_->awaiting = Resumer(Runtime::current().executor(), parent, awaiting);
        startAll(*parent, std::index_sequence_for<Works...>{});
    }

    // Every child's value, in argument order; or the first error.
    std::tuple<ValueOf_t<WorkResult_t<Works>>...> await_resume() {
        if (state_->firstError) {
            std::rethrow_exception(state_->firstError);
        }
        return std::apply([](auto&... results) { return std::make_tuple(results.take()...); },
                          state_->results);
    }

private:
    template <std::size_t... Indices>
    void startAll(const TaskContext& parent, std::index_sequence<Indices...>) {
        ((state_->contexts[Indices] = TaskContext::makeChild(parent)), ...);
        (startChild<Indices>(), ...);
    }

    template <std::size_t Index> void startChild() {
        using T = WorkResult_t<std::tuple_element_t<Index, std::tuple<Works...>>>;
        startTask(std::move(std::get<Index>(works_)), state_->contexts[Index],
                  [state = state_](Result<T> result) {
                      const bool failed = result.hasException();
                      const auto error = result.exception();
                      std::get<Index>(state->results) = std::move(result);
                      state->childFinished(Index, failed, error);
                  });
    }

    std::tuple<Works...> works_;
    std::shared_ptr<State> state_;
};

template <class Work> class SingleChildAwaiter {
public:
    explicit SingleChildAwaiter(Work work) : batch_(std::move(work)) {}

    bool await_ready() const noexcept { return false; }
    template <TaskPromise Awaiting> void await_suspend(std::coroutine_handle<Awaiting> awaiting) {
        batch_.await_suspend(awaiting);
    }
    WorkResult_t<Work> await_resume() {
        auto values = batch_.await_resume();
        if constexpr (!std::is_void_v<WorkResult_t<Work>>) {
            return std::move(std::get<0>(values));
        }
    }

private:
    ChildBatchAwaiter<Work> batch_;
};

} // namespace detail

// Runs `work` as a child task (own cancellation, cancelled with the current
// task) and awaits its value or error.
template <class Work> auto child(Work&& work) {
    auto factory = detail::makeFactory(std::forward<Work>(work));
    return detail::SingleChildAwaiter<decltype(factory)>(std::move(factory));
}

// Runs every work as a child task at once and awaits them all; yields a tuple
// of their values in argument order (void gives std::monostate). The first
// error cancels the other children; it is rethrown once all have ended.
template <class... Works> auto whenAll(Works&&... works) {
    return detail::ChildBatchAwaiter<decltype(detail::makeFactory(std::forward<Works>(works)))...>(
        detail::makeFactory(std::forward<Works>(works))...);
}

} // namespace Async
