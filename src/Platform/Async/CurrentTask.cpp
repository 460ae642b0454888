#include "Platform/Async/CurrentTask.h"

#include "Platform/Async/CancellationError.h"
#include "Platform/Async/TaskContext.h"

namespace Async {

namespace {
thread_local TaskContext* runningContext = nullptr;
}

TaskContext* currentTaskContext() noexcept {
    return runningContext;
}

std::shared_ptr<TaskContext> currentTaskContextShared() {
    return runningContext != nullptr ? runningContext->shared_from_this() : nullptr;
}

bool isCancelled() noexcept {
    return runningContext != nullptr && runningContext->isCancelled();
}

void checkCancellation() {
    if (isCancelled()) {
        throw CancellationError();
    }
}

CurrentTaskScope::CurrentTaskScope(TaskContext* context) noexcept : previous_(runningContext) {
    runningContext = context;
}

CurrentTaskScope::~CurrentTaskScope() {
    runningContext = previous_;
}

} // namespace Async
