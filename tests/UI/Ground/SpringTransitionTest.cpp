#include "UI/Ground/SpringTransition.h"

#include <gtest/gtest.h>
#include <vector>

#include <QTest>

TEST(SpringTransitionTest, ItStepsAlongTheSpringAndEndsAtOneWhenAtRest) {
    SpringTransition transition;
    std::vector<double> steps;
    bool wasRunningAtTheLastStep = true;
    transition.start(Springs::stateChange, [&](double progress) {
        steps.push_back(progress);
        wasRunningAtTheLastStep = transition.isRunning();
    });
    EXPECT_TRUE(transition.isRunning());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !transition.isRunning(); }, 2000));
    ASSERT_GE(steps.size(), 3U) << "drawn frame by frame";
    EXPECT_LT(steps.front(), 0.9);
    EXPECT_EQ(steps.back(), 1.0);
    EXPECT_FALSE(wasRunningAtTheLastStep) << "the last step knows it is the last";
}

TEST(SpringTransitionTest, FinishingOrStartingAgainEndsTheRunningChangeAtOnce) {
    SpringTransition transition;
    std::vector<double> first;
    transition.start(Springs::panelChange, [&](double progress) { first.push_back(progress); });
    transition.finish();
    EXPECT_EQ(first, std::vector<double>{1.0});
    EXPECT_FALSE(transition.isRunning());
    transition.finish();
    EXPECT_EQ(first.size(), 1U) << "finished once";

    std::vector<double> second;
    transition.start(Springs::panelChange, [&](double progress) { first.push_back(progress); });
    transition.start(Springs::panelChange, [&](double progress) { second.push_back(progress); });
    EXPECT_EQ(first.back(), 1.0);
    EXPECT_TRUE(transition.isRunning());
    transition.finish();
    EXPECT_EQ(second, std::vector<double>{1.0});
}
