#include "System/CoreLocationAuthorizer.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include <QCoreApplication>

namespace {

// A location manager whose status the test sets and whose changes it reports.
class FakeLocationManager final : public LocationManager {
public:
    LocationAuthorizationStatus authorizationStatus() const override { return status; }
    void requestWhenInUseAuthorization() override { ++requestCount; }

    void reportChange(LocationAuthorizationStatus newStatus) {
        status = newStatus;
        delegate()->locationManagerDidChangeAuthorization(*this);
    }

    LocationAuthorizationStatus status = LocationAuthorizationStatus::notDetermined;
    int requestCount = 0;
};

LocationAuthorizationStatus platformStatus(std::int32_t value) {
    return static_cast<LocationAuthorizationStatus>(value);
}

} // namespace

class CoreLocationAuthorizerTest : public testing::Test {
protected:
    void TearDown() override {
        // Drops the delegate call the manager queued when the authorizer took it.
        QCoreApplication::sendPostedEvents();
    }

    std::unique_ptr<FakeLocationManager> ownedManager = std::make_unique<FakeLocationManager>();
    FakeLocationManager& manager = *ownedManager;
    CoreLocationAuthorizer authorizer{std::move(ownedManager)};
    std::vector<LocationPermissionStatus> reported;

    void listen() {
        authorizer.setOnAuthorizationStatusChange(
            [this](LocationPermissionStatus status) { reported.push_back(status); });
    }
};

TEST_F(CoreLocationAuthorizerTest, PlatformStatusesMapToPermissionStatuses) {
    using enum LocationPermissionStatus;
    EXPECT_EQ(CoreLocationAuthorizer::permissionStatus(platformStatus(0)), notDetermined);
    EXPECT_EQ(CoreLocationAuthorizer::permissionStatus(platformStatus(1)), restricted);
    EXPECT_EQ(CoreLocationAuthorizer::permissionStatus(platformStatus(2)), denied);
    EXPECT_EQ(CoreLocationAuthorizer::permissionStatus(platformStatus(3)), authorized);
    EXPECT_EQ(CoreLocationAuthorizer::permissionStatus(platformStatus(4)), authorized);
}

TEST_F(CoreLocationAuthorizerTest, AnUnknownPlatformStatusIsRestrictedNotUndetermined) {
    for (const std::int32_t value : {5, 99, -1}) {
        EXPECT_EQ(CoreLocationAuthorizer::permissionStatus(platformStatus(value)),
                  LocationPermissionStatus::restricted)
            << value;
    }
}

TEST_F(CoreLocationAuthorizerTest, TheStatusIsReadFromTheManagerEachTime) {
    EXPECT_EQ(authorizer.authorizationStatus(), LocationPermissionStatus::notDetermined);
    manager.status = LocationAuthorizationStatus::denied;
    EXPECT_EQ(authorizer.authorizationStatus(), LocationPermissionStatus::denied);
}

TEST_F(CoreLocationAuthorizerTest, TakesTheManagersReportsWithoutACallbackAtFirst) {
    EXPECT_EQ(manager.delegate(), &authorizer);
    EXPECT_FALSE(authorizer.onAuthorizationStatusChange());
}

TEST_F(CoreLocationAuthorizerTest, AReportedChangeReachesTheCallbackMapped) {
    listen();

    manager.reportChange(LocationAuthorizationStatus::authorizedWhenInUse);
    manager.reportChange(LocationAuthorizationStatus::authorizedWhenInUse);
    manager.reportChange(platformStatus(42));

    EXPECT_EQ(reported, (std::vector{LocationPermissionStatus::authorized,
                                     LocationPermissionStatus::authorized,
                                     LocationPermissionStatus::restricted}));
}

TEST_F(CoreLocationAuthorizerTest, WithTheCallbackClearedAChangeIsDropped) {
    listen();
    authorizer.setOnAuthorizationStatusChange({});

    manager.reportChange(LocationAuthorizationStatus::denied);

    EXPECT_TRUE(reported.empty());
}

TEST_F(CoreLocationAuthorizerTest, TheRequestGoesToTheManagerAndAnswersNothingItself) {
    listen();

    authorizer.requestWhenInUseAuthorization();

    EXPECT_EQ(manager.requestCount, 1);
    EXPECT_TRUE(reported.empty());
}

TEST(CoreLocationAuthorizerOnLinuxTest, ReportsAuthorizedAndTellsItOnALaterTurn) {
    CoreLocationAuthorizer authorizer;
    std::vector<LocationPermissionStatus> reported;
    authorizer.setOnAuthorizationStatusChange(
        [&](LocationPermissionStatus status) { reported.push_back(status); });

    EXPECT_EQ(authorizer.authorizationStatus(), LocationPermissionStatus::authorized);
    EXPECT_TRUE(reported.empty());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(reported, std::vector{LocationPermissionStatus::authorized});

    authorizer.requestWhenInUseAuthorization();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(reported.size(), 1u);
}

TEST(CoreLocationAuthorizerOnLinuxTest, AnAuthorizerGoneBeforeTheTurnIsNotCalled) {
    int calls = 0;
    {
        CoreLocationAuthorizer authorizer;
        authorizer.setOnAuthorizationStatusChange([&](LocationPermissionStatus) { ++calls; });
    }
    QCoreApplication::sendPostedEvents();

    EXPECT_EQ(calls, 0);
}
