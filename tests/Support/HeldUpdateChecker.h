#pragma once

#include "Core/AppUpdateChecking.h"
#include "Platform/Async/Continuation.h"

#include <optional>
#include <utility>

// Answers each update check with `result`; while `holdsChecks` is set a check
// waits until the test finishes it.
class HeldUpdateChecker final : public AppUpdateChecking {
public:
    UpdateCheckResult result = UpdateCheckResult::upToDate();
    bool holdsChecks = false;
    int checks = 0;

    Async::Task<UpdateCheckResult> checkForUpdate() override {
        ++checks;
        if (holdsChecks) {
            co_await Async::withContinuation<void>(
                [this](Async::Continuation<void> continuation) { held_ = continuation; });
        }
        co_return result;
    }

    bool isHoldingACheck() const { return held_.has_value(); }
    bool finishHeldCheck() { return held_ && std::exchange(held_, std::nullopt)->resume(); }

private:
    std::optional<Async::Continuation<void>> held_;
};
