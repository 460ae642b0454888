#include "Platform/Algorithm/StableSort.h"

#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

// Elements with equal keys keep their order, whatever the sort moves around
// them (enough elements that an unstable sort would reorder them), and
// move-only elements are sorted without copies.
TEST(StableSortTest, SortsByKeyAndKeepsTheOrderOfEqualKeys) {
    constexpr int count = 200;
    constexpr int keys = 5;
    const auto keyOf = [](int position) { return (position * 37 + 11) % keys; };
    std::vector<std::unique_ptr<std::pair<int, int>>> items;
    for (int position = 0; position < count; ++position) {
        items.push_back(std::make_unique<std::pair<int, int>>(keyOf(position), position));
    }

    Algorithm::stableSort(items.begin(), items.end(), [](const auto& left, const auto& right) {
        return left->first < right->first;
    });

    std::vector<std::pair<int, int>> expected;
    for (int key = 0; key < keys; ++key) {
        for (int position = 0; position < count; ++position) {
            if (keyOf(position) == key) {
                expected.emplace_back(key, position);
            }
        }
    }
    std::vector<std::pair<int, int>> sorted;
    for (const auto& item : items) {
        sorted.push_back(*item);
    }
    EXPECT_EQ(sorted, expected);
}
