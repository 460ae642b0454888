#include "Platform/Reactive/CancellableSet.h"

#include "Support/Counted.h"

#include <gtest/gtest.h>

using Reactive::Cancellable;
using Reactive::CancellableSet;

TEST(CancellableSetTest, KeepsTokensUntilClearedAndStaysUsable) {
    int firstRuns = 0;
    int secondRuns = 0;
    int thirdRuns = 0;
    int live = 0;
    {
        CancellableSet set;
        set.insert(Cancellable([&firstRuns, counted = Counted(live)] { ++firstRuns; }));
        set.insert(Cancellable([&secondRuns, counted = Counted(live)] { ++secondRuns; }));
        EXPECT_EQ(firstRuns + secondRuns, 0);

        set.clear();
        EXPECT_EQ(firstRuns, 1);
        EXPECT_EQ(secondRuns, 1);
        EXPECT_EQ(live, 0);

        set.insert(Cancellable([&thirdRuns] { ++thirdRuns; }));
        EXPECT_EQ(thirdRuns, 0);
    }
    EXPECT_EQ(thirdRuns, 1);
    EXPECT_EQ(firstRuns + secondRuns, 2);
}

TEST(CancellableSetTest, DestructionCancelsEveryToken) {
    int runs = 0;
    {
        CancellableSet set;
        set.insert(Cancellable([&runs] { ++runs; }));
        set.insert(Cancellable([&runs] { ++runs; }));
    }
    EXPECT_EQ(runs, 2);
}

TEST(CancellableSetTest, ACancelActionMayInsertIntoTheSetBeingCleared) {
    int laterRuns = 0;
    CancellableSet set;
    set.insert(Cancellable([&] { set.insert(Cancellable([&laterRuns] { ++laterRuns; })); }));

    set.clear();
    EXPECT_EQ(laterRuns, 0);

    set.clear();
    EXPECT_EQ(laterRuns, 1);
}
