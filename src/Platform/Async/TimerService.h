#pragma once

#include <cstdint>
#include <functional>

namespace Async {

// One-shot timers on the executor's thread. Every member is called on that thread.
class TimerService {
public:
    using TimerId = std::uint64_t;

    virtual ~TimerService() = default;

    // Calls `callback` once, `nanoseconds` from now, on the executor's thread.
    virtual TimerId schedule(std::uint64_t nanoseconds, std::function<void()> callback) = 0;

    // Forgets a timer; unknown or already fired timers are ignored.
    virtual void cancel(TimerId timer) = 0;

    virtual void cancelAll() = 0;
};

} // namespace Async
