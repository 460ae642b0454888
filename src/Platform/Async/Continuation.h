#pragma once

#include "Platform/Async/Runtime.h"
#include "Platform/Async/Task.h"
#include "Platform/Async/detail/Result.h"
#include "Platform/Async/detail/Resumer.h"

#include <atomic>
#include <coroutine>
#include <exception>
#include <memory>
#include <utility>

namespace Async {

namespace detail {

template <class T> struct ContinuationState {
    Resumer resumer;
    Result<T> result;
    std::atomic<bool> isResumed{false};
};

} // namespace detail

// A one-shot resumption of a suspended task, for callback-based work. The first
// resume, from any thread, wins; later ones are ignored. The task continues on
// the main executor on a later turn.
template <class T> class Continuation {
public:
    explicit Continuation(std::shared_ptr<detail::ContinuationState<T>> state)
        : state_(std::move(state)) {}

    bool resume(detail::ValueOf_t<T> value = {}) const {
        if (state_->isResumed.exchange(true)) {
            return false;
        }
        state_->result.setValue(std::move(value));
        state_->resumer.post();
        return true;
    }

    bool resumeThrowing(std::exception_ptr error) const {
        if (state_->isResumed.exchange(true)) {
            return false;
        }
        state_->result.setException(std::move(error));
        state_->resumer.post();
        return true;
    }

private:
    std::shared_ptr<detail::ContinuationState<T>> state_;
};

namespace detail {

template <class T, class Setup> class ContinuationAwaiter {
public:
    explicit ContinuationAwaiter(Setup setup) : setup_(std::move(setup)) {}

    bool await_ready() const noexcept { return false; }
    template <TaskPromise Awaiting> void await_suspend(std::coroutine_handle<Awaiting> awaiting) {
        state_ = std::make_shared<ContinuationState<T>>();
        state_->resumer =
            Resumer(Runtime::current().executor(), awaiting.promise().context, awaiting);
        setup_(Continuation<T>(state_));
    }
    T await_resume() { return takeResult(state_->result); }

private:
    Setup setup_;
    std::shared_ptr<ContinuationState<T>> state_;
};

} // namespace detail

// Suspends the current task and calls `setup` with its continuation, before
// the suspension takes effect; the task resumes with what the continuation is
// given. Not a cancellation point by itself: pair it with onCancel().
template <class T, class Setup> auto withContinuation(Setup setup) {
    return detail::ContinuationAwaiter<T, Setup>(std::move(setup));
}

} // namespace Async
