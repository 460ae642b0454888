#pragma once

#include "Platform/Async/CurrentTask.h"
#include "Platform/Async/Executor.h"
#include "Platform/Async/TaskContext.h"

#include <coroutine>
#include <memory>

namespace Async::detail {

// Resumes a suspended coroutine on the executor's thread, on a later turn, as
// part of its task. Safe to post from any thread; it keeps the executor alive,
// so a late post after shutdown is simply ignored by the closed executor.
class Resumer {
public:
    Resumer() = default;
    Resumer(std::shared_ptr<Executor> executor, std::shared_ptr<TaskContext> context,
            std::coroutine_handle<> coroutine)
        : executor_(std::move(executor)), context_(std::move(context)), coroutine_(coroutine) {}

    void post() const {
        executor_->post([context = context_, coroutine = coroutine_] {
            CurrentTaskScope scope(context.get());
            coroutine.resume();
        });
    }

    const std::shared_ptr<TaskContext>& context() const noexcept { return context_; }

private:
    std::shared_ptr<Executor> executor_;
    std::shared_ptr<TaskContext> context_;
    std::coroutine_handle<> coroutine_;
};

} // namespace Async::detail
