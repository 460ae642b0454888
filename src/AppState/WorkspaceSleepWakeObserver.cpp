#include "AppState/WorkspaceSleepWakeObserver.h"

WorkspaceSleepWakeObserver::WorkspaceSleepWakeObserver(
    std::shared_ptr<SleepWakeNotificationCenter> notificationCenter)
    : notificationCenter_(std::move(notificationCenter)) {}

WorkspaceSleepWakeObserver::~WorkspaceSleepWakeObserver() {
    stop();
}

void WorkspaceSleepWakeObserver::start() {
    if (!observerTokens_.empty()) {
        return;
    }
    // The registrations are removed before this observer is destroyed, so the
    // blocks may hold it plainly.
    observerTokens_.push_back(notificationCenter_->addObserver(SleepWakeNotification::willSleep,
                                                               [this] { call(onWillSleep_); }));
    observerTokens_.push_back(notificationCenter_->addObserver(SleepWakeNotification::didWake,
                                                               [this] { call(onDidWake_); }));
}

void WorkspaceSleepWakeObserver::stop() {
    for (const auto token : observerTokens_) {
        notificationCenter_->removeObserver(token);
    }
    observerTokens_.clear();
}

void WorkspaceSleepWakeObserver::call(const Callback& callback) {
    if (callback) {
        // A copy, so that the callback may replace itself or destroy the observer.
        const Callback current = callback;
        current();
    }
}
