#pragma once

#include <memory>

namespace Async {

class TaskContext;

// The task whose code runs on this thread right now, if any.
TaskContext* currentTaskContext() noexcept;
std::shared_ptr<TaskContext> currentTaskContextShared();

// Whether the current task has been cancelled; false outside any task.
bool isCancelled() noexcept;

// Throws CancellationError when the current task has been cancelled.
void checkCancellation();

// Marks `context` as the current task for the lifetime of the scope.
class CurrentTaskScope {
public:
    explicit CurrentTaskScope(TaskContext* context) noexcept;
    ~CurrentTaskScope();
    CurrentTaskScope(const CurrentTaskScope&) = delete;
    CurrentTaskScope& operator=(const CurrentTaskScope&) = delete;

private:
    TaskContext* previous_;
};

} // namespace Async
