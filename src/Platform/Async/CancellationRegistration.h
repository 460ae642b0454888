#pragma once

#include <functional>
#include <memory>
#include <stop_token>

namespace Async {

// A cancellation handler, registered for as long as this object lives. The
// handler runs at once (inside the constructor) when the task is already
// cancelled, otherwise on the thread that cancels it. Destroying the
// registration while the handler runs on another thread waits for it to end.
class CancellationRegistration {
public:
    CancellationRegistration() = default;
    CancellationRegistration(std::stop_token token, std::function<void()> handler);

    void reset() noexcept { callback_.reset(); }

private:
    std::unique_ptr<std::stop_callback<std::function<void()>>> callback_;
};

// Registers `handler` on the current task. Outside a task it never runs.
[[nodiscard]] CancellationRegistration onCancel(std::function<void()> handler);

} // namespace Async
