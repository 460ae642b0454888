#pragma once

#include "Core/SleepProviding.h"
#include "Platform/Async/CancellationRegistration.h"
#include "Platform/Async/Continuation.h"

#include <cstddef>
#include <memory>
#include <vector>

// Records every requested wait. A sleep stays suspended until the test
// releases it, and fails with Async::CancellationError when its task is
// cancelled first (at once if it already was).
class FakeSleeper final : public SleepProviding {
public:
    Async::Task<void> sleep(double seconds) override;

    const std::vector<double>& requestedSeconds() const { return requestedSeconds_; }
    std::size_t suspendedCount() const;

    // Ends every suspended sleep normally; returns how many there were.
    std::size_t releaseAll();

private:
    struct PendingSleep;

    std::vector<double> requestedSeconds_;
    std::vector<std::shared_ptr<PendingSleep>> pending_;
};
