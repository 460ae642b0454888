#include "Platform/Power/SleepWakeNotificationCenter.h"

#include <algorithm>

SleepWakeNotificationCenter::ObserverToken
SleepWakeNotificationCenter::addObserver(SleepWakeNotification name, Block block) {
    const ObserverToken token = nextToken_++;
    registrations_.push_back({token, name, std::move(block)});
    return token;
}

void SleepWakeNotificationCenter::removeObserver(ObserverToken token) {
    std::erase_if(registrations_, [token](const Registration& registration) {
        return registration.token == token;
    });
}

const SleepWakeNotificationCenter::Registration*
SleepWakeNotificationCenter::find(ObserverToken token) const {
    const auto found = std::find_if(
        registrations_.begin(), registrations_.end(),
        [token](const Registration& registration) { return registration.token == token; });
    return found == registrations_.end() ? nullptr : &*found;
}

void SleepWakeNotificationCenter::post(SleepWakeNotification name) {
    std::vector<ObserverToken> tokens;
    for (const Registration& registration : registrations_) {
        if (registration.name == name) {
            tokens.push_back(registration.token);
        }
    }
    for (const ObserverToken token : tokens) {
        const Registration* registration = find(token);
        if (registration && registration->block) {
            // A copy: the block may remove its own registration.
            const Block block = registration->block;
            block();
        }
    }
}
