#pragma once

#include <functional>

namespace Reactive {

// Keeps a subscription alive: cancelling it, or destroying it, runs its cancel
// action exactly once. A default-constructed token holds no action.
class Cancellable {
public:
    Cancellable() = default;
    explicit Cancellable(std::function<void()> cancelAction);
    ~Cancellable();

    Cancellable(Cancellable&& other) noexcept;
    Cancellable& operator=(Cancellable&& other) noexcept;
    Cancellable(const Cancellable&) = delete;
    Cancellable& operator=(const Cancellable&) = delete;

    void cancel();

private:
    std::function<void()> cancelAction_;
};

} // namespace Reactive
