#include "Platform/Algorithm/StableSort.h"

#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
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

// A comparator that throws, early or late in the sort, leaves every element
// where and as it was.
TEST(StableSortTest, AComparatorThatThrowsLeavesTheRangeAsItWas) {
    const std::vector<std::string> original{"delta", "alpha", "charlie", "bravo", "echo", "alpha"};
    for (const int throwingComparison : {0, 1, 4, 9}) {
        std::vector<std::string> values = original;
        int comparisons = 0;
        EXPECT_THROW(Algorithm::stableSort(values.begin(), values.end(),
                                           [&](const std::string& left, const std::string& right) {
                                               if (comparisons++ == throwingComparison) {
                                                   throw std::runtime_error("comparison failed");
                                               }
                                               return left < right;
                                           }),
                     std::runtime_error)
            << "throwing at comparison " << throwingComparison;
        EXPECT_EQ(values, original) << "throwing at comparison " << throwingComparison;
    }
}
