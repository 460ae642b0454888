#pragma once

#include "Platform/Power/SleepWakeNotification.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// Where sleep and wake are announced: blocks registered for a notification
// run, in registration order, each time it is posted. Used on the main thread
// only, so blocks run there.
class SleepWakeNotificationCenter {
public:
    using Block = std::function<void()>;
    using ObserverToken = std::uint64_t;

    // Returns the token that removes the registration.
    ObserverToken addObserver(SleepWakeNotification name, Block block);
    // Unknown tokens are ignored.
    void removeObserver(ObserverToken token);

    // Runs the blocks registered for `name`. A block removed by an earlier
    // block of the same post does not run; one added during it runs from the
    // next post on.
    void post(SleepWakeNotification name);

    std::size_t observerCount() const { return registrations_.size(); }

private:
    struct Registration {
        ObserverToken token;
        SleepWakeNotification name;
        Block block;
    };

    const Registration* find(ObserverToken token) const;

    std::vector<Registration> registrations_;
    ObserverToken nextToken_ = 1;
};
