#pragma once

#include "Platform/Reactive/Cancellable.h"
#include "Platform/Reactive/SubscriberList.h"

#include <functional>
#include <memory>
#include <utility>

namespace Reactive {

// A value that notifies its subscribers synchronously, in subscription order, on
// every assignment, equal values included. Main thread only.
//
// Each notification carries the value of the assignment that caused it, even when
// a subscriber assigns again while being notified; the value and the subscriber
// list are held for the whole delivery, which therefore also survives the
// destruction of this object by a subscriber.
template <typename T> class Published {
public:
    using Handler = std::function<void(const T&)>;

    explicit Published(T initial)
        : value_(std::make_shared<const T>(std::move(initial))),
          subscribers_(std::make_shared<SubscriberList<T>>()) {}

    Published(const Published&) = delete;
    Published& operator=(const Published&) = delete;

    const T& value() const { return *value_; }

    void set(T newValue) {
        value_ = std::make_shared<const T>(std::move(newValue));
        const auto value = value_;
        const auto subscribers = subscribers_;
        subscribers->deliver(*value);
    }

    Published& operator=(T newValue) {
        set(std::move(newValue));
        return *this;
    }

    // Calls the handler at once with the current value, then on every assignment
    // until the returned token is cancelled or destroyed.
    [[nodiscard]] Cancellable subscribe(Handler handler) const {
        const auto value = value_;
        const auto subscribers = subscribers_;
        return subscribers->subscribe(std::move(handler), *value);
    }

private:
    std::shared_ptr<const T> value_;
    std::shared_ptr<SubscriberList<T>> subscribers_;
};

} // namespace Reactive
