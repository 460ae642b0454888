#pragma once

#include "Platform/Async/TaskContext.h"
#include "Platform/Async/detail/Result.h"

#include <cassert>
#include <concepts>
#include <coroutine>
#include <memory>
#include <type_traits>
#include <utility>

namespace Async {

// What every coroutine of the task layer carries: the task it runs in, and the
// coroutine to continue when it finishes (when awaited inline).
struct PromiseBase {
    std::shared_ptr<TaskContext> context;
    std::coroutine_handle<> continuation;
};

template <class Promise>
concept TaskPromise = std::derived_from<Promise, PromiseBase>;

template <class T = void> class Task;

namespace detail {

template <class T> struct TaskPromiseBase : PromiseBase {
    Result<T> result;

    std::suspend_always initial_suspend() noexcept { return {}; }
    void unhandled_exception() noexcept { result.setException(std::current_exception()); }

    struct FinalAwaiter {
        bool await_ready() const noexcept { return false; }
        template <class Promise>
        std::coroutine_handle<> await_suspend(std::coroutine_handle<Promise> finished) noexcept {
            const auto next = finished.promise().continuation;
            return next ? next : std::noop_coroutine();
        }
        void await_resume() const noexcept {}
    };
    FinalAwaiter final_suspend() noexcept { return {}; }
};

template <class T> struct ValuePromise : TaskPromiseBase<T> {
    void return_value(T value) { this->result.setValue(std::move(value)); }
};
template <> struct ValuePromise<void> : TaskPromiseBase<void> {
    void return_void() { this->result.setValue({}); }
};

// Runs an awaited Task inline, as part of the awaiting task.
template <class Promise> class InlineTaskAwaiter {
public:
    explicit InlineTaskAwaiter(std::coroutine_handle<Promise> task) noexcept : task_(task) {}

    bool await_ready() const noexcept { return false; }
    template <Async::TaskPromise Awaiting>
    std::coroutine_handle<> await_suspend(std::coroutine_handle<Awaiting> awaiting) noexcept {
        task_.promise().context = awaiting.promise().context;
        task_.promise().continuation = awaiting;
        return task_;
    }
    typename Promise::ResultType await_resume() { return takeResult(task_.promise().result); }

private:
    std::coroutine_handle<Promise> task_;
};

} // namespace detail

// Rule: no lambda closure and no braced temporary with a non-trivial
// destructor inside a co_await expression (`co_await run({a, b})`,
// `co_await runOnThreadPool([owner] { ... })`): name it first and move it in.
// GCC 12 destroys such a temporary twice (a shared_ptr it holds loses an owner
// on every await); we build with clang, and scripts/check-coawait-temporaries
// keeps the tree free of them for any compiler. GCC 12 has also been seen to
// miscompile a negated co_await in a condition (`if (!co_await f())`): name
// such results too.
//
// A lazy coroutine. It starts only when awaited (it then runs as part of the
// awaiting task, sharing its cancellation) or when handed to spawn() or to a
// child-task operation (it then runs as a task of its own). Until started the
// Task owns its frame; dropping an unstarted Task destroys it.
template <class T> class [[nodiscard]] Task {
public:
    struct promise_type : detail::ValuePromise<T> {
        using ResultType = T;
        Task get_return_object() noexcept {
            return Task(std::coroutine_handle<promise_type>::from_promise(*this));
        }
    };
    using ResultType = T;

    Task(Task&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
    Task& operator=(Task&& other) noexcept {
        if (this != &other) {
            destroy();
            handle_ = std::exchange(other.handle_, {});
        }
        return *this;
    }
    Task(const Task&) = delete;
    Task& operator=(const Task&) = delete;
    ~Task() { destroy(); }

    auto operator co_await() && noexcept {
        assert(handle_ && "awaiting an empty Task");
        return detail::InlineTaskAwaiter<promise_type>(handle_);
    }

private:
    explicit Task(std::coroutine_handle<promise_type> handle) noexcept : handle_(handle) {}

    void destroy() noexcept {
        if (handle_) {
            handle_.destroy();
            handle_ = {};
        }
    }

    std::coroutine_handle<promise_type> handle_;
};

namespace detail {

template <class> struct IsTask : std::false_type {};
template <class T> struct IsTask<Task<T>> : std::true_type {};

// A Task itself, or a callable that returns one. Callables are kept alive (with
// their captures) for as long as the task they start runs.
template <class Work> struct WorkTraits;
template <class Work>
requires IsTask<std::remove_cvref_t<Work>>::value struct WorkTraits<Work> {
    using ResultType = typename std::remove_cvref_t<Work>::ResultType;
};
template <class Work>
requires(!IsTask<std::remove_cvref_t<Work>>::value) &&
    IsTask<std::invoke_result_t<std::remove_cvref_t<Work>&>>::value struct WorkTraits<Work> {
    using ResultType = typename std::invoke_result_t<std::remove_cvref_t<Work>&>::ResultType;
};

template <class Work> using WorkResult_t = typename WorkTraits<Work>::ResultType;

template <class Work> auto makeFactory(Work&& work) {
    if constexpr (IsTask<std::remove_cvref_t<Work>>::value) {
        return [task = std::remove_cvref_t<Work>(std::forward<Work>(work))]() mutable {
            return std::move(task);
        };
    } else {
        return std::remove_cvref_t<Work>(std::forward<Work>(work));
    }
}

} // namespace detail

} // namespace Async
