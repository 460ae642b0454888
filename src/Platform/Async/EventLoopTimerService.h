#pragma once

#include "Platform/Async/TimerService.h"

#include <map>
#include <memory>

class QTimer;

namespace Async {

// Timers on the Qt event loop of the creating thread, precise to the
// millisecond (shorter waits are rounded up). Waits longer than a QTimer can
// take are run as a chain of maximal intervals.
class EventLoopTimerService final : public TimerService {
public:
    EventLoopTimerService();
    ~EventLoopTimerService() override;

    TimerId schedule(std::uint64_t nanoseconds, std::function<void()> callback) override;
    void cancel(TimerId timer) override;
    void cancelAll() override;

private:
    struct Entry;

    static void armNextInterval(Entry& entry);
    void intervalElapsed(TimerId timer);

    std::map<TimerId, std::unique_ptr<Entry>> entries_;
    TimerId nextTimer_ = 1;
};

} // namespace Async
