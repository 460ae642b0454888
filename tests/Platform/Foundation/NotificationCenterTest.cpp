#include "Platform/Foundation/NotificationCenter.h"

#include <gtest/gtest.h>
#include <vector>

TEST(NotificationCenterTest, DeliversByNameUntilTheObserverIsRemoved) {
    NotificationCenter center;
    std::vector<int> calls;
    const auto first = center.addObserver("a", [&] { calls.push_back(1); });
    center.addObserver("b", [&] { calls.push_back(2); });
    center.addObserver("a", [&] { calls.push_back(3); });
    center.post("a");
    center.removeObserver(first);
    center.post("a");
    EXPECT_EQ(calls, (std::vector<int>{1, 3, 3}));
}

TEST(NotificationCenterTest, ObserversMayRemoveOthersWhileBeingNotified) {
    NotificationCenter center;
    std::vector<int> calls;
    NotificationCenter::Token second = 0;
    center.addObserver("a", [&] {
        calls.push_back(1);
        center.removeObserver(second);
    });
    second = center.addObserver("a", [&] { calls.push_back(2); });
    center.post("a");
    EXPECT_EQ(calls, std::vector<int>{1});
}
