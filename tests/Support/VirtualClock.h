#pragma once

#include "Core/Date.h"
#include "Platform/Async/TimerService.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

class ManualExecutor;

// Virtual time for tests: serves the clocks (`dateProvider`) and the task
// runtime's timers. Time moves only when the test advances it; timers then
// fire in deadline order (equal deadlines in scheduling order), each at its
// own instant, with the executor run to idle after each one.
class VirtualClock final : public Async::TimerService {
public:
    VirtualClock(ManualExecutor& executor, Date start);

    Date now() const;
    std::function<Date()> dateProvider() const;
    std::uint64_t elapsedNanoseconds() const { return elapsed_; }

    TimerId schedule(std::uint64_t nanoseconds, std::function<void()> callback) override;
    void cancel(TimerId timer) override;
    void cancelAll() override;

    // Runs the executor to idle, then fires every timer due within `seconds`.
    void advance(double seconds);
    void advanceNanoseconds(std::uint64_t nanoseconds);

    // Moves the wall clock (`now`) by `seconds`, forwards or back, and no
    // timer: the clock was set, or the machine slept with its monotonic
    // clock stopped.
    void moveWallClock(double seconds);

    // Jumps to the next deadline and fires what is due there; false if no timer is pending.
    bool fireNext();

    std::size_t pendingTimerCount() const { return timers_.size(); }
    // Nanoseconds from now to the next deadline.
    std::optional<std::uint64_t> nanosecondsUntilNextTimer() const;

private:
    using Deadline = std::pair<std::uint64_t, TimerId>;

    ManualExecutor& executor_;
    Date start_;
    std::uint64_t elapsed_ = 0;
    TimerId nextTimer_ = 1;
    std::map<Deadline, std::function<void()>> timers_;
    std::map<TimerId, std::uint64_t> deadlines_;
};
