#include "Support/FakeSleeper.h"

#include "Platform/Async/CancellationError.h"

#include <algorithm>
#include <optional>

struct FakeSleeper::PendingSleep {
    std::optional<Async::Continuation<void>> continuation;
    bool isDone = false;
};

Async::Task<void> FakeSleeper::sleep(double seconds) {
    requestedSeconds_.push_back(seconds);
    auto pending = std::make_shared<PendingSleep>();
    pending_.push_back(pending);
    Async::CancellationRegistration cancellation;
    try {
        co_await Async::withContinuation<void>([&](Async::Continuation<void> continuation) {
            pending->continuation = continuation;
            cancellation = Async::onCancel([continuation] {
                continuation.resumeThrowing(std::make_exception_ptr(Async::CancellationError()));
            });
        });
    } catch (...) {
        pending->isDone = true;
        throw;
    }
    pending->isDone = true;
}

std::size_t FakeSleeper::suspendedCount() const {
    return static_cast<std::size_t>(std::count_if(
        pending_.begin(), pending_.end(), [](const auto& pending) { return !pending->isDone; }));
}

std::size_t FakeSleeper::releaseAll() {
    std::size_t released = 0;
    for (const auto& pending : std::exchange(pending_, {})) {
        if (!pending->isDone && pending->continuation && pending->continuation->resume()) {
            ++released;
        }
    }
    return released;
}
