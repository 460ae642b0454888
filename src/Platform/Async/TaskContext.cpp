#include "Platform/Async/TaskContext.h"

namespace Async {

std::shared_ptr<TaskContext> TaskContext::makeChild(const TaskContext& parent) {
    auto child = std::make_shared<TaskContext>();
    child->parentLink_.emplace(parent.token(), PropagateCancellation{child->source_});
    return child;
}

} // namespace Async
