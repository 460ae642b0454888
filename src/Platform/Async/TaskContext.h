#pragma once

#include <memory>
#include <optional>
#include <stop_token>

namespace Async {

// The cancellation state of one task. A child context is cancelled whenever its
// parent is, including when the parent already was at the child's creation.
class TaskContext : public std::enable_shared_from_this<TaskContext> {
public:
    TaskContext() = default;
    TaskContext(const TaskContext&) = delete;
    TaskContext& operator=(const TaskContext&) = delete;

    static std::shared_ptr<TaskContext> makeRoot() { return std::make_shared<TaskContext>(); }
    static std::shared_ptr<TaskContext> makeChild(const TaskContext& parent);

    // Safe from any thread; runs the registered cancellation handlers on the calling thread.
    void cancel() noexcept { source_.request_stop(); }
    bool isCancelled() const noexcept { return source_.stop_requested(); }
    std::stop_token token() const noexcept { return source_.get_token(); }

private:
    struct PropagateCancellation {
        std::stop_source child;
        void operator()() noexcept { child.request_stop(); }
    };

    std::stop_source source_;
    std::optional<std::stop_callback<PropagateCancellation>> parentLink_;
};

} // namespace Async
