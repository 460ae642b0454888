#pragma once

#include <memory>

// Counts the live copies of a value: a test captures a LifetimeCounter in a
// task or handler and checks that the count falls back to 0 once it should
// have been released.
class LifetimeCounter {
public:
    LifetimeCounter() : live_(std::make_shared<int>(0)) { ++*live_; }
    LifetimeCounter(const LifetimeCounter& other) : live_(other.live_) { ++*live_; }
    LifetimeCounter(LifetimeCounter&& other) noexcept : live_(other.live_) { ++*live_; }
    LifetimeCounter& operator=(const LifetimeCounter&) = delete;
    ~LifetimeCounter() { --*live_; }

    // Another observer of the same count, not counted itself.
    struct Observer {
        std::shared_ptr<int> live;
        int count() const { return *live; }
    };
    Observer observer() const { return Observer{live_}; }

private:
    std::shared_ptr<int> live_;
};
