#pragma once

#include "Platform/Async/CancellationRegistration.h"
#include "Platform/Async/Task.h"
#include "Platform/Async/TimerService.h"
#include "Platform/Async/detail/Resumer.h"

#include <atomic>
#include <coroutine>
#include <cstdint>
#include <memory>

namespace Async {

namespace detail {

// Decides, once, whether a sleep ended by its timer or by cancellation.
struct SleepState {
    Resumer resumer;
    TimerService* timers = nullptr;
    TimerService::TimerId timer = 0;
    std::atomic<bool> isResolved{false};
    bool wasCancelled = false;

    void resolve(bool byCancellation) {
        if (isResolved.exchange(true)) {
            return;
        }
        wasCancelled = byCancellation;
        resumer.post();
    }
};

class SleepAwaiter {
public:
    explicit SleepAwaiter(std::uint64_t nanoseconds) noexcept : nanoseconds_(nanoseconds) {}

    bool await_ready() const noexcept { return false; }
    template <TaskPromise Awaiting> void await_suspend(std::coroutine_handle<Awaiting> awaiting) {
        suspend(awaiting.promise().context, awaiting);
    }
    void await_resume();

private:
    void suspend(const std::shared_ptr<TaskContext>& context, std::coroutine_handle<> awaiting);

    std::uint64_t nanoseconds_;
    std::shared_ptr<SleepState> state_;
    CancellationRegistration cancellation_;
};

struct YieldAwaiter {
    bool await_ready() const noexcept { return false; }
    template <TaskPromise Awaiting> void await_suspend(std::coroutine_handle<Awaiting> awaiting) {
        suspend(awaiting.promise().context, awaiting);
    }
    void await_resume() const noexcept {}

private:
    static void suspend(const std::shared_ptr<TaskContext>& context,
                        std::coroutine_handle<> awaiting);
};

} // namespace detail

// Suspends the current task for `nanoseconds` (0 only gives up the turn).
// Throws CancellationError at once when the task is cancelled before or
// during the sleep.
inline detail::SleepAwaiter sleep(std::uint64_t nanoseconds) noexcept {
    return detail::SleepAwaiter(nanoseconds);
}

// Gives up the rest of this turn: the task continues on a later turn of the
// main executor. Not a cancellation point.
inline detail::YieldAwaiter yield() noexcept {
    return {};
}

} // namespace Async
