#pragma once

#include <exception>

namespace Async {

// Thrown by cancellation points (sleep, checkCancellation) of a cancelled task.
class CancellationError final : public std::exception {
public:
    const char* what() const noexcept override { return "The task was cancelled."; }
    bool operator==(const CancellationError&) const { return true; }
};

} // namespace Async
