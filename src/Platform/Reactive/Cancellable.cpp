#include "Platform/Reactive/Cancellable.h"

#include <utility>

namespace Reactive {

Cancellable::Cancellable(std::function<void()> cancelAction)
    : cancelAction_(std::move(cancelAction)) {}

Cancellable::~Cancellable() {
    cancel();
}

Cancellable::Cancellable(Cancellable&& other) noexcept
    : cancelAction_(std::exchange(other.cancelAction_, nullptr)) {}

Cancellable& Cancellable::operator=(Cancellable&& other) noexcept {
    if (this != &other) {
        cancel();
        cancelAction_ = std::exchange(other.cancelAction_, nullptr);
    }
    return *this;
}

void Cancellable::cancel() {
    // Taken out first, so that an action which reaches this token again finds
    // nothing left to run, and its captures are released once it returns.
    const auto action = std::exchange(cancelAction_, nullptr);
    if (action) {
        action();
    }
}

} // namespace Reactive
