#pragma once

#include "Platform/Reactive/Cancellable.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

namespace Reactive {

// The handlers subscribed to one published value, in subscription order.
//
// Handlers may subscribe, cancel and deliver again while being called. A cancelled
// handler is only marked inactive while a delivery is in progress and is destroyed
// once the outermost delivery has finished, so that no handler is destroyed while
// it runs. Each handler sits in its own allocation, so that subscribing during a
// delivery never moves a running handler. Callers keep the list alive (through a
// shared_ptr) for the duration of every call that runs handlers.
template <typename T>
class SubscriberList : public std::enable_shared_from_this<SubscriberList<T>> {
public:
    using Handler = std::function<void(const T&)>;

    // Appends the handler and calls it at once with currentValue.
    [[nodiscard]] Cancellable subscribe(Handler handler, const T& currentValue) {
        const auto id = nextId_++;
        entries_.push_back(std::make_unique<Entry>(Entry{id, std::move(handler), true}));
        // Made first, so that the entry goes away if the handler throws.
        auto cancellable = makeCancellable(id);
        entries_.back()->handler(currentValue);
        return cancellable;
    }

    // Calls every active handler subscribed before this call, in order.
    void deliver(const T& value) {
        const DeliveryScope scope(*this);
        const auto count = entries_.size();
        for (std::size_t index = 0; index < count; ++index) {
            // Read through the vector each time: a handler may have grown it.
            const auto& entry = *entries_[index];
            if (entry.active) {
                entry.handler(value);
            }
        }
    }

private:
    struct Entry {
        std::uint64_t id;
        Handler handler;
        bool active;
    };

    class DeliveryScope {
    public:
        explicit DeliveryScope(SubscriberList& list) : list_(list) { ++list_.deliveryDepth_; }
        ~DeliveryScope() {
            if (--list_.deliveryDepth_ == 0 && list_.hasInactiveEntries_) {
                list_.removeInactiveEntries();
            }
        }
        DeliveryScope(const DeliveryScope&) = delete;
        DeliveryScope& operator=(const DeliveryScope&) = delete;

    private:
        SubscriberList& list_;
    };

    Cancellable makeCancellable(std::uint64_t id) {
        return Cancellable([list = this->weak_from_this(), id] {
            if (const auto strongList = list.lock()) {
                strongList->cancel(id);
            }
        });
    }

    void cancel(std::uint64_t id) {
        // Ids grow with each subscription and removal keeps the order, so the
        // entries stay sorted by id.
        const auto found =
            std::lower_bound(entries_.begin(), entries_.end(), id,
                             [](const std::unique_ptr<Entry>& entry, std::uint64_t wanted) {
                                 return entry->id < wanted;
                             });
        if (found == entries_.end() || (*found)->id != id) {
            return;
        }
        if (deliveryDepth_ > 0) {
            (*found)->active = false;
            hasInactiveEntries_ = true;
            return;
        }
        // Destroyed after the erase: a handler's captures may reach this list.
        const auto removed = std::move(*found);
        entries_.erase(found);
    }

    void removeInactiveEntries() {
        hasInactiveEntries_ = false;
        // Destroyed after the erase: a handler's captures may reach this list.
        auto removed = std::vector<std::unique_ptr<Entry>>();
        auto kept = entries_.begin();
        for (auto& entry : entries_) {
            if (entry->active) {
                *kept++ = std::move(entry);
            } else {
                removed.push_back(std::move(entry));
            }
        }
        entries_.erase(kept, entries_.end());
    }

    std::vector<std::unique_ptr<Entry>> entries_;
    std::uint64_t nextId_ = 0;
    int deliveryDepth_ = 0;
    bool hasInactiveEntries_ = false;
};

} // namespace Reactive
