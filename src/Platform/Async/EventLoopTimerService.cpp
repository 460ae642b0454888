#include "Platform/Async/EventLoopTimerService.h"

#include <algorithm>
#include <chrono>
#include <limits>

#include <QTimer>

namespace Async {

namespace {
constexpr std::uint64_t nanosecondsPerMillisecond = 1'000'000;
constexpr std::uint64_t longestInterval = std::numeric_limits<int>::max();

std::uint64_t millisecondsRoundedUp(std::uint64_t nanoseconds) {
    return nanoseconds / nanosecondsPerMillisecond +
           (nanoseconds % nanosecondsPerMillisecond != 0 ? 1 : 0);
}
} // namespace

struct EventLoopTimerService::Entry {
    std::unique_ptr<QTimer> timer;
    std::uint64_t remainingMilliseconds = 0;
    std::function<void()> callback;
};

EventLoopTimerService::EventLoopTimerService() = default;
EventLoopTimerService::~EventLoopTimerService() = default;

TimerService::TimerId EventLoopTimerService::schedule(std::uint64_t nanoseconds,
                                                      std::function<void()> callback) {
    const TimerId id = nextTimer_++;
    auto entry = std::make_unique<Entry>();
    entry->timer = std::make_unique<QTimer>();
    entry->timer->setSingleShot(true);
    entry->timer->setTimerType(Qt::PreciseTimer);
    entry->remainingMilliseconds = millisecondsRoundedUp(nanoseconds);
    entry->callback = std::move(callback);
    QObject::connect(entry->timer.get(), &QTimer::timeout, [this, id] { intervalElapsed(id); });
    armNextInterval(*entry);
    entries_.emplace(id, std::move(entry));
    return id;
}

void EventLoopTimerService::armNextInterval(Entry& entry) {
    const auto interval = std::min(entry.remainingMilliseconds, longestInterval);
    entry.remainingMilliseconds -= interval;
    entry.timer->start(std::chrono::milliseconds(static_cast<int>(interval)));
}

void EventLoopTimerService::intervalElapsed(TimerId timer) {
    const auto found = entries_.find(timer);
    if (found == entries_.end()) {
        return;
    }
    if (found->second->remainingMilliseconds > 0) {
        armNextInterval(*found->second);
        return;
    }
    auto entry = std::move(found->second);
    entries_.erase(found);
    // The QTimer is inside its own timeout signal: let the event loop delete it.
    entry->timer.release()->deleteLater();
    entry->callback();
}

void EventLoopTimerService::cancel(TimerId timer) {
    const auto found = entries_.find(timer);
    if (found == entries_.end()) {
        return;
    }
    found->second->timer->stop();
    entries_.erase(found);
}

void EventLoopTimerService::cancelAll() {
    entries_.clear();
}

} // namespace Async
