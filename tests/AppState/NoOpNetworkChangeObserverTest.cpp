#include "AppState/NoOpNetworkChangeObserver.h"

#include <gtest/gtest.h>

TEST(NoOpNetworkChangeObserverTest, KeepsItsCallbackAndNeverCallsIt) {
    NoOpNetworkChangeObserver observer;
    int callCount = 0;
    observer.setOnNetworkChange([&] { ++callCount; });
    observer.start();
    observer.stop();
    observer.start();
    EXPECT_EQ(callCount, 0);
    ASSERT_TRUE(observer.onNetworkChange());
    observer.onNetworkChange()();
    EXPECT_EQ(callCount, 1) << "the stored callback is not the one given";
}
