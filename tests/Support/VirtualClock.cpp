#include "Support/VirtualClock.h"

#include "Core/TaskSleeper.h"
#include "Support/ManualExecutor.h"

#include <chrono>
#include <limits>

namespace {
std::uint64_t saturatingSum(std::uint64_t a, std::uint64_t b) {
    return b > std::numeric_limits<std::uint64_t>::max() - a
               ? std::numeric_limits<std::uint64_t>::max()
               : a + b;
}
} // namespace

VirtualClock::VirtualClock(ManualExecutor& executor, Date start)
    : executor_(executor), start_(start) {}

Date VirtualClock::now() const {
    return start_ + std::chrono::duration_cast<Date::duration>(std::chrono::nanoseconds(elapsed_));
}

std::function<Date()> VirtualClock::dateProvider() const {
    return [this] { return now(); };
}

Async::TimerService::TimerId VirtualClock::schedule(std::uint64_t nanoseconds,
                                                    std::function<void()> callback) {
    const TimerId id = nextTimer_++;
    const std::uint64_t deadline = saturatingSum(elapsed_, nanoseconds);
    timers_.emplace(Deadline{deadline, id}, std::move(callback));
    deadlines_.emplace(id, deadline);
    return id;
}

void VirtualClock::cancel(TimerId timer) {
    const auto found = deadlines_.find(timer);
    if (found == deadlines_.end()) {
        return;
    }
    timers_.erase(Deadline{found->second, timer});
    deadlines_.erase(found);
}

void VirtualClock::cancelAll() {
    timers_.clear();
    deadlines_.clear();
}

std::optional<std::uint64_t> VirtualClock::nanosecondsUntilNextTimer() const {
    if (timers_.empty()) {
        return std::nullopt;
    }
    return timers_.begin()->first.first - elapsed_;
}

bool VirtualClock::fireNext() {
    executor_.runUntilIdle();
    if (timers_.empty()) {
        return false;
    }
    auto next = timers_.extract(timers_.begin());
    deadlines_.erase(next.key().second);
    elapsed_ = next.key().first;
    next.mapped()();
    executor_.runUntilIdle();
    return true;
}

void VirtualClock::advanceNanoseconds(std::uint64_t nanoseconds) {
    const std::uint64_t target = saturatingSum(elapsed_, nanoseconds);
    executor_.runUntilIdle();
    while (!timers_.empty() && timers_.begin()->first.first <= target) {
        fireNext();
    }
    elapsed_ = target;
    executor_.runUntilIdle();
}

void VirtualClock::moveWallClock(double seconds) {
    start_ += std::chrono::duration_cast<Date::duration>(std::chrono::duration<double>(seconds));
}

void VirtualClock::advance(double seconds) {
    advanceNanoseconds(TaskSleeper::nanoseconds(seconds));
}
