#pragma once

#include "Platform/Async/Runtime.h"
#include "Platform/Async/Task.h"
#include "Platform/Async/detail/Result.h"

#include <coroutine>
#include <exception>
#include <memory>
#include <utility>

namespace Async::detail {

// The outermost frame of a task of its own (spawned or child): it runs the
// work, hands the outcome to `onFinished`, and destroys itself at the end.
// Until then the runtime owns it.
struct TaskRunner {
    struct promise_type : PromiseBase {
        Runtime* runtime = nullptr;

        TaskRunner get_return_object() noexcept {
            return {std::coroutine_handle<promise_type>::from_promise(*this)};
        }
        std::suspend_always initial_suspend() noexcept { return {}; }
        std::suspend_never final_suspend() noexcept { return {}; }
        void return_void() noexcept {}
        void unhandled_exception() noexcept { std::terminate(); }

        ~promise_type() {
            if (runtime != nullptr) {
                runtime->forget(std::coroutine_handle<promise_type>::from_promise(*this));
            }
        }
    };

    std::coroutine_handle<promise_type> frame;
};

template <class Factory, class OnFinished>
TaskRunner runWork(Factory factory, OnFinished onFinished) {
    using T = typename std::invoke_result_t<Factory&>::ResultType;
    Result<T> result;
    try {
        if constexpr (std::is_void_v<T>) {
            co_await factory();
            result.setValue({});
        } else {
            result.setValue(co_await factory());
        }
    } catch (...) {
        result.setException(std::current_exception());
    }
    onFinished(std::move(result));
}

// Starts `work` as a task of its own in `context`, on a later turn of the
// runtime's executor; `onFinished` receives its Result on the executor's thread.
template <class Work, class OnFinished>
void startTask(Work&& work, std::shared_ptr<TaskContext> context, OnFinished onFinished) {
    Runtime& runtime = Runtime::current();
    TaskRunner runner = runWork(makeFactory(std::forward<Work>(work)), std::move(onFinished));
    runner.frame.promise().context = context;
    runner.frame.promise().runtime = &runtime;
    runtime.start(runner.frame, std::move(context));
}

} // namespace Async::detail
