#include "Platform/Reactive/CancellableSet.h"

#include <utility>

namespace Reactive {

void CancellableSet::insert(Cancellable&& cancellable) {
    cancellables_.push_back(std::move(cancellable));
}

void CancellableSet::clear() {
    // Moved out before the tokens cancel, so that a cancel action reaching this
    // set finds it already empty.
    const auto cancelled = std::exchange(cancellables_, {});
}

} // namespace Reactive
