#include "Platform/Async/Sleep.h"

#include "Platform/Async/CancellationError.h"
#include "Platform/Async/Runtime.h"

namespace Async::detail {

void SleepAwaiter::suspend(const std::shared_ptr<TaskContext>& context,
                           std::coroutine_handle<> awaiting) {
    Runtime& runtime = Runtime::current();
    state_ = std::make_shared<SleepState>();
    state_->resumer = Resumer(runtime.executor(), context, awaiting);
    state_->timers = &runtime.timers();
    // Registered first so that an already cancelled task ends without a timer.
    cancellation_ = CancellationRegistration(
        context->token(), [state = state_] { state->resolve(/*byCancellation=*/true); });
    if (state_->isResolved.load()) {
        return;
    }
    if (nanoseconds_ == 0) {
        state_->resolve(/*byCancellation=*/false);
        return;
    }
    state_->timer = runtime.timers().schedule(
        nanoseconds_, [state = state_] { state->resolve(/*byCancellation=*/false); });
}

void SleepAwaiter::await_resume() {
    cancellation_.reset();
    if (state_->wasCancelled) {
        state_->timers->cancel(state_->timer);
        throw CancellationError();
    }
}

void YieldAwaiter::suspend(const std::shared_ptr<TaskContext>& context,
                           std::coroutine_handle<> awaiting) {
    Resumer(Runtime::current().executor(), context, awaiting).post();
}

} // namespace Async::detail
