#pragma once

#include "Platform/Reactive/Published.h"

#include <cstdint>
#include <vector>

// Appends `value` to a published history and drops the oldest entries beyond
// `maxCount`, then publishes the list once.
template <class T>
void appendToHistory(Reactive::Published<std::vector<T>>& history, T value, std::int64_t maxCount) {
    auto values = history.value();
    values.push_back(std::move(value));
    const auto bound = static_cast<std::size_t>(maxCount > 0 ? maxCount : 0);
    if (values.size() > bound) {
        values.erase(values.begin(),
                     values.begin() + static_cast<std::ptrdiff_t>(values.size() - bound));
    }
    history.set(std::move(values));
}
