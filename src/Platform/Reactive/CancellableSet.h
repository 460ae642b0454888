#pragma once

#include "Platform/Reactive/Cancellable.h"

#include <vector>

namespace Reactive {

// Keeps several subscriptions alive for as long as its owner, or until clear().
class CancellableSet {
public:
    void insert(Cancellable&& cancellable);
    void clear();

private:
    std::vector<Cancellable> cancellables_;
};

} // namespace Reactive
