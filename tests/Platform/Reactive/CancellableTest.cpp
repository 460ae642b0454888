#include "Platform/Reactive/Cancellable.h"

#include "Support/Counted.h"

#include <gtest/gtest.h>
#include <utility>

using Reactive::Cancellable;

TEST(CancellableTest, CancelRunsTheActionOnceAndReleasesIt) {
    int runs = 0;
    int live = 0;
    {
        Cancellable token([&runs, counted = Counted(live)] { ++runs; });
        EXPECT_EQ(live, 1);

        token.cancel();
        EXPECT_EQ(runs, 1);
        EXPECT_EQ(live, 0);

        token.cancel();
        EXPECT_EQ(runs, 1);
    }
    EXPECT_EQ(runs, 1);
}

TEST(CancellableTest, DestructionCancels) {
    int runs = 0;
    int live = 0;
    {
        const Cancellable token([&runs, counted = Counted(live)] { ++runs; });
        EXPECT_EQ(runs, 0);
    }
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(live, 0);
}

TEST(CancellableTest, AnActionThatCancelsItsOwnTokenRunsOnce) {
    int runs = 0;
    Cancellable token;
    token = Cancellable([&] {
        ++runs;
        token.cancel();
    });
    token.cancel();
    EXPECT_EQ(runs, 1);
}

TEST(CancellableTest, MoveConstructionTransfersTheAction) {
    int runs = 0;
    Cancellable source([&runs] { ++runs; });
    {
        const Cancellable destination(std::move(source));
        source.cancel();
        EXPECT_EQ(runs, 0);
    }
    EXPECT_EQ(runs, 1);
}

TEST(CancellableTest, MoveAssignmentCancelsThePreviousActionAndTakesTheNewOne) {
    int firstRuns = 0;
    int secondRuns = 0;
    Cancellable token([&firstRuns] { ++firstRuns; });
    Cancellable other([&secondRuns] { ++secondRuns; });

    token = std::move(other);
    EXPECT_EQ(firstRuns, 1);
    EXPECT_EQ(secondRuns, 0);

    other.cancel();
    EXPECT_EQ(secondRuns, 0);

    token.cancel();
    EXPECT_EQ(secondRuns, 1);
}

TEST(CancellableTest, MoveAssigningAnEmptyTokenCancelsThePreviousAction) {
    int runs = 0;
    Cancellable token([&runs] { ++runs; });
    token = Cancellable();
    EXPECT_EQ(runs, 1);
    token.cancel();
    EXPECT_EQ(runs, 1);
}

TEST(CancellableTest, SelfMoveAssignmentKeepsTheAction) {
    int runs = 0;
    Cancellable token([&runs] { ++runs; });
    Cancellable& sameToken = token;
    token = std::move(sameToken);
    EXPECT_EQ(runs, 0);
    token.cancel();
    EXPECT_EQ(runs, 1);
}
