#pragma once

#include "Platform/Async/CurrentTask.h"
#include "Platform/Async/Runtime.h"
#include "Platform/Async/Task.h"
#include "Platform/Async/detail/Result.h"
#include "Platform/Async/detail/Resumer.h"
#include "Platform/Async/detail/TaskRunner.h"

#include <coroutine>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace Async {

namespace detail {

template <class T> struct TaskGroupState {
    std::shared_ptr<TaskContext> context;
    std::size_t runningCount = 0;
    std::deque<Result<T>> finished;
    std::optional<Resumer> waiter;

    void childFinished(Result<T> result) {
        --runningCount;
        finished.push_back(std::move(result));
        if (waiter) {
            std::exchange(waiter, std::nullopt)->post();
        }
    }
};

template <class T> struct TaskGroupNextAwaiter {
    std::shared_ptr<TaskGroupState<T>> state;

    bool await_ready() const noexcept {
        return !state->finished.empty() || state->runningCount == 0;
    }
    template <TaskPromise Awaiting> void await_suspend(std::coroutine_handle<Awaiting> awaiting) {
        if (state->waiter) {
            throw std::logic_error("a task group is awaited by one task at a time");
        }
        state->waiter.emplace(Runtime::current().executor(), awaiting.promise().context, awaiting);
    }
    std::optional<ValueOf_t<T>> await_resume() {
        if (state->finished.empty()) {
            return std::nullopt;
        }
        auto result = std::move(state->finished.front());
        state->finished.pop_front();
        return result.take();
    }
};

} // namespace detail

// Child tasks of one kind, added at any time and collected in the order they
// finish. Only withThrowingTaskGroup creates a group: it guarantees that every
// child has ended before the group goes away.
template <class T> class ThrowingTaskGroup {
public:
    using Value = detail::ValueOf_t<T>;

    explicit ThrowingTaskGroup(const TaskContext& parent)
        : state_(std::make_shared<detail::TaskGroupState<T>>()) {
        state_->context = TaskContext::makeChild(parent);
    }
    ThrowingTaskGroup(const ThrowingTaskGroup&) = delete;
    ThrowingTaskGroup& operator=(const ThrowingTaskGroup&) = delete;

    // Starts `work` (a Task, or a callable returning one) as a child task on a
    // later turn. A child added to a cancelled group starts cancelled.
    template <class Work> void addTask(Work&& work) {
        static_assert(std::is_same_v<detail::WorkResult_t<Work>, T>);
        ++state_->runningCount;
        detail::startTask(std::forward<Work>(work), TaskContext::makeChild(*state_->context),
                          [state = state_](detail::Result<T> result) {
                              state->childFinished(std::move(result));
                          });
    }

    // The next child to finish: its value, or its error rethrown; nothing once
    // no child is left. Not a cancellation point.
    auto next() { return detail::TaskGroupNextAwaiter<T>{state_}; }

    // Cancels every child, running or added later.
    void cancelAll() noexcept { state_->context->cancel(); }
    bool isCancelled() const noexcept { return state_->context->isCancelled(); }

    // No child is running and no result is waiting to be collected.
    bool isEmpty() const noexcept { return state_->runningCount == 0 && state_->finished.empty(); }

    // Awaits every remaining child, dropping values and errors.
    Task<void> waitForAll() {
        while (!isEmpty()) {
            try {
                co_await next();
            } catch (...) {
            }
        }
    }

private:
    std::shared_ptr<detail::TaskGroupState<T>> state_;
};

// Runs `body` with a new group of child tasks returning T. When the body
// throws (for instance a child's error rethrown by next()), the remaining
// children are cancelled, awaited, and the error is rethrown. When it returns,
// the remaining children are awaited before its value is returned.
template <class T, class Body>
auto withThrowingTaskGroup(Body body)
    -> Task<typename std::invoke_result_t<Body&, ThrowingTaskGroup<T>&>::ResultType> {
    using R = typename std::invoke_result_t<Body&, ThrowingTaskGroup<T>&>::ResultType;
    ThrowingTaskGroup<T> group(*currentTaskContext());
    std::exception_ptr error;
    std::optional<detail::ValueOf_t<R>> value;
    try {
        if constexpr (std::is_void_v<R>) {
            co_await body(group);
            value.emplace();
        } else {
            value.emplace(co_await body(group));
        }
    } catch (...) {
        error = std::current_exception();
        group.cancelAll();
    }
    co_await group.waitForAll();
    if (error) {
        std::rethrow_exception(error);
    }
    if constexpr (!std::is_void_v<R>) {
        co_return std::move(*value);
    }
}

} // namespace Async
