#pragma once

#include "Platform/Async/Runtime.h"
#include "Platform/Async/Task.h"
#include "Platform/Async/detail/Result.h"
#include "Platform/Async/detail/Resumer.h"
#include "Platform/Async/detail/TaskRunner.h"

#include <coroutine>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace Async {

namespace detail {

// Shared between a spawned task and its handles; lives on the executor's thread
// except for the cancellation context, which is safe from any thread.
template <class T> class SpawnedTaskState {
public:
    explicit SpawnedTaskState(std::shared_ptr<TaskContext> context)
        : context_(std::move(context)) {}

    TaskContext& context() const noexcept { return *context_; }
    bool isFinished() const noexcept { return result_.has_value(); }
    const Result<T>& result() const { return *result_; }

    void finish(Result<T> result) {
        result_ = std::move(result);
        for (const auto& joiner : std::exchange(joiners_, {})) {
            joiner.post();
        }
    }

    void addJoiner(Resumer joiner) { joiners_.push_back(std::move(joiner)); }

private:
    std::shared_ptr<TaskContext> context_;
    std::optional<Result<T>> result_;
    std::vector<Resumer> joiners_;
};

template <class T> struct JoinAwaiter {
    std::shared_ptr<SpawnedTaskState<T>> state;

    bool await_ready() const noexcept { return state->isFinished(); }
    template <TaskPromise Awaiting> void await_suspend(std::coroutine_handle<Awaiting> awaiting) {
        state->addJoiner(
            Resumer(Runtime::current().executor(), awaiting.promise().context, awaiting));
    }
    T await_resume() const { return getResult(state->result()); }
};

} // namespace detail

// A handle on a spawned task. It does not own the task: dropping it neither
// cancels nor destroys the task. Copies refer to the same task.
template <class T> class TaskHandle {
public:
    TaskHandle() = default;
    explicit TaskHandle(std::shared_ptr<detail::SpawnedTaskState<T>> state)
        : state_(std::move(state)) {}

    // Safe from any thread. The task notices at its next cancellation point;
    // it is never resumed from inside this call.
    void cancel() const noexcept {
        if (state_) {
            state_->context().cancel();
        }
    }
    bool isCancelled() const noexcept { return state_ && state_->context().isCancelled(); }
    bool isFinished() const noexcept { return state_ && state_->isFinished(); }
    bool isValid() const noexcept { return static_cast<bool>(state_); }

    // Awaits the task's end and returns its value or rethrows its error. Not a
    // cancellation point: cancelling the waiting task does not end the wait.
    auto join() const { return detail::JoinAwaiter<T>{state_}; }

    bool operator==(const TaskHandle& other) const noexcept { return state_ == other.state_; }

private:
    std::shared_ptr<detail::SpawnedTaskState<T>> state_;
};

// Starts `work` (a Task, or a callable returning one, kept alive with its
// captures until the task ends) as a new top-level task on a later turn of the
// main executor, never inline. It does not inherit any cancellation.
template <class Work> auto spawn(Work&& work) {
    using T = detail::WorkResult_t<Work>;
    auto context = TaskContext::makeRoot();
    auto state = std::make_shared<detail::SpawnedTaskState<T>>(context);
    detail::startTask(std::forward<Work>(work), std::move(context),
                      [state](detail::Result<T> result) { state->finish(std::move(result)); });
    return TaskHandle<T>(std::move(state));
}

} // namespace Async
