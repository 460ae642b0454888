#include "AppState/NoOpSleepWakeObserver.h"

#include <gtest/gtest.h>

#include <QStringList>

TEST(NoOpSleepWakeObserverTest, KeepsItsCallbacksAndNeverCallsThem) {
    NoOpSleepWakeObserver observer;
    QStringList calls;
    observer.setOnWillSleep([&] { calls.push_back(QStringLiteral("will sleep")); });
    observer.setOnDidWake([&] { calls.push_back(QStringLiteral("did wake")); });
    observer.start();
    observer.stop();
    observer.start();
    EXPECT_TRUE(calls.isEmpty());
    observer.onWillSleep()();
    observer.onDidWake()();
    EXPECT_EQ(calls, (QStringList{"will sleep", "did wake"}));
}
