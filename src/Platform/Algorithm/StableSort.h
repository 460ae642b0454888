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
template <std::random_access_iterator Iterator, typename Less>
void stableSort(Iterator first, Iterator last, Less less) {
    using Value = std::iter_value_t<Iterator>;
    std::vector<Value> values(std::make_move_iterator(first), std::make_move_iterator(last));
    std::vector<std::size_t> order(values.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t left, std::size_t right) {
        if (less(values[left], values[right])) {
            return true;
        }
        if (less(values[right], values[left])) {
            return false;
        }
        return left < right;
    });
    for (const std::size_t index : order) {
        *first++ = std::move(values[index]);
    }
}

} // namespace Algorithm
