#include "Platform/Async/Runtime.h"

#include "Platform/Async/detail/Resumer.h"

#include <atomic>
#include <cassert>
#include <stdexcept>

namespace Async {

namespace {
std::atomic<Runtime*> installedRuntime{nullptr};
}

Runtime::Runtime(std::shared_ptr<Executor> executor, std::shared_ptr<TimerService> timers)
    : executor_(std::move(executor)), timers_(std::move(timers)) {
    Runtime* expected = nullptr;
    if (!installedRuntime.compare_exchange_strong(expected, this)) {
        throw std::logic_error("a task runtime is already installed");
    }
}

Runtime::~Runtime() {
    isShuttingDown_ = true;
    executor_->close();
    timers_->cancelAll();
    // Frames still suspended are destroyed here; nothing can resume them any more.
    std::unordered_set<void*> frames;
    {
        const std::lock_guard lock(framesMutex_);
        frames = std::move(frames_);
    }
    for (void* address : frames) {
        std::coroutine_handle<>::from_address(address).destroy();
    }
    installedRuntime.store(nullptr);
}

Runtime& Runtime::current() {
    Runtime* runtime = installedRuntime.load();
    if (runtime == nullptr) {
        throw std::logic_error("no task runtime is installed");
    }
    return *runtime;
}

bool Runtime::isInstalled() noexcept {
    return installedRuntime.load() != nullptr;
}

std::size_t Runtime::liveTaskCount() const {
    const std::lock_guard lock(framesMutex_);
    return frames_.size();
}

void Runtime::start(std::coroutine_handle<> frame, std::shared_ptr<TaskContext> context) {
    {
        const std::lock_guard lock(framesMutex_);
        frames_.insert(frame.address());
    }
    detail::Resumer(executor_, std::move(context), frame).post();
}

void Runtime::forget(std::coroutine_handle<> frame) noexcept {
    if (!isShuttingDown_) {
        const std::lock_guard lock(framesMutex_);
        frames_.erase(frame.address());
    }
}

} // namespace Async
