#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <numeric>
#include <vector>

namespace Algorithm {

// A stable sort that does not go through libstdc++ 12's std::stable_sort,
// whose temporary buffer uses the deprecated std::get_temporary_buffer (an
// error for clang under -Werror). Elements that compare equal keep their order
// because their original positions break the tie; works with move-only types.
// The order is worked out on positions, and the buffer allocated, before any
// element moves: a comparator or an allocation that throws leaves the range
// as it was.
template <std::random_access_iterator Iterator, typename Less>
void stableSort(Iterator first, Iterator last, Less less) {
    using Value = std::iter_value_t<Iterator>;
    const auto count = static_cast<std::size_t>(last - first);
    const auto at = [first](std::size_t index) -> decltype(auto) {
        return first[static_cast<std::iter_difference_t<Iterator>>(index)];
    };
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t left, std::size_t right) {
        if (less(at(left), at(right))) {
            return true;
        }
        if (less(at(right), at(left))) {
            return false;
        }
        return left < right;
    });
    std::vector<Value> sorted;
    sorted.reserve(count);
    for (const std::size_t index : order) {
        sorted.push_back(std::move(at(index)));
    }
    std::move(sorted.begin(), sorted.end(), first);
}

} // namespace Algorithm
