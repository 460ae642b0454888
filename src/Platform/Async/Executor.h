#pragma once

#include <functional>

namespace Async {

// Runs jobs one after another on one thread (the main thread), each on a later
// turn than the one that posted it.
class Executor {
public:
    using Job = std::function<void()>;

    virtual ~Executor() = default;

    // Safe from any thread. Ignored once the executor is closed.
    virtual void post(Job job) = 0;

    // Drops every pending job; later posts are ignored. Called on the executor's thread.
    virtual void close() = 0;
};

} // namespace Async
