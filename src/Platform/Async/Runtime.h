#pragma once

#include "Platform/Async/Executor.h"
#include "Platform/Async/TaskContext.h"
#include "Platform/Async/TimerService.h"

#include <coroutine>
#include <cstddef>
#include <memory>
#include <mutex>
#include <unordered_set>

namespace Async {

// The task runtime: the main executor, its timers, and the frames of every
// running task. Tasks belong to the runtime, not to their handles: a task runs
// to its end whether or not anyone holds its handle, and frames still
// suspended when the runtime is destroyed are destroyed with it.
// One runtime is installed at a time; it is created and destroyed on the
// executor's thread. Tasks may be spawned from any thread; they run on the
// executor's.
class Runtime {
public:
    Runtime(std::shared_ptr<Executor> executor, std::shared_ptr<TimerService> timers);
    ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    static Runtime& current();
    static bool isInstalled() noexcept;

    const std::shared_ptr<Executor>& executor() const noexcept { return executor_; }
    TimerService& timers() noexcept { return *timers_; }

    // Tasks whose frames are alive (started and not yet finished).
    std::size_t liveTaskCount() const;

    // Starts a task's outermost frame on a later turn, as part of `context`.
    void start(std::coroutine_handle<> frame, std::shared_ptr<TaskContext> context);
    void forget(std::coroutine_handle<> frame) noexcept;

private:
    std::shared_ptr<Executor> executor_;
    std::shared_ptr<TimerService> timers_;
    mutable std::mutex framesMutex_;
    std::unordered_set<void*> frames_;
    bool isShuttingDown_ = false;
};

} // namespace Async
