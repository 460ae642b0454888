#include "Platform/CoreLocation/LocationManager.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include <QCoreApplication>

namespace {

class RecordingDelegate final : public LocationManagerDelegate {
public:
    void locationManagerDidChangeAuthorization(LocationManager& manager) override {
        calls.push_back(&manager);
    }
    std::vector<LocationManager*> calls;
};

void runLaterTurns() {
    QCoreApplication::sendPostedEvents();
}

} // namespace

class LocationManagerTest : public testing::Test {
protected:
    std::unique_ptr<LocationManager> manager = std::make_unique<LocationManager>();
    RecordingDelegate delegate;
};

TEST_F(LocationManagerTest, LinuxGatesNothingBehindLocationSoTheStatusIsAuthorized) {
    EXPECT_EQ(manager->authorizationStatus(), LocationAuthorizationStatus::authorizedAlways);
    manager->requestWhenInUseAuthorization();
    EXPECT_EQ(manager->authorizationStatus(), LocationAuthorizationStatus::authorizedAlways);
}

TEST_F(LocationManagerTest, TellsANewDelegateTheStatusOnceOnALaterTurn) {
    manager->setDelegate(&delegate);
    EXPECT_TRUE(delegate.calls.empty()) << "told inline";

    runLaterTurns();
    runLaterTurns();

    EXPECT_EQ(delegate.calls, std::vector{manager.get()});
}

TEST_F(LocationManagerTest, ARequestOnADecidedStatusTellsNothing) {
    manager->setDelegate(&delegate);
    runLaterTurns();

    manager->requestWhenInUseAuthorization();
    runLaterTurns();

    EXPECT_EQ(delegate.calls.size(), 1u);
}

TEST_F(LocationManagerTest, NoCallReachesAClearedDelegateOrOutlivesTheManager) {
    manager->setDelegate(&delegate);
    manager->setDelegate(nullptr);
    runLaterTurns();
    EXPECT_TRUE(delegate.calls.empty());

    manager->setDelegate(&delegate);
    manager.reset();
    runLaterTurns();
    EXPECT_TRUE(delegate.calls.empty());
}
