#include "UI/Dashboard/LocationCardModel.h"

#include "Support/CountingLocationSettingsOpener.h"
#include "Support/FakeLocationAuthorizer.h"
#include "Support/QStringPrinter.h"
#include "Support/TestRuntime.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(LocationCardModelTest, EachStatusHasItsSentenceAndOnlyAuthorizedHasNoButton) {
    using Status = LocationPermissionStatus;
    EXPECT_EQ(LocationCardModel::content(Status::notDetermined),
              (LocationCardContent{u"Allow Location Services to read SSID and BSSID diagnostics."_s,
                                   u"Allow Location Access"_s}));
    EXPECT_EQ(LocationCardModel::content(Status::denied),
              (LocationCardContent{u"Location access is denied. Enable it in System Settings to "
                                   u"show SSID and BSSID."_s,
                                   u"Open Settings"_s}));
    EXPECT_EQ(LocationCardModel::content(Status::restricted),
              (LocationCardContent{u"Location access is restricted on this Mac. SSID and BSSID "
                                   u"may remain unavailable."_s,
                                   u"Open Settings"_s}));
    EXPECT_EQ(LocationCardModel::content(Status::authorized),
              (LocationCardContent{u"Location access granted for SSID and BSSID diagnostics."_s,
                                   std::nullopt}));
}

class LocationCardButtonTest : public testing::Test {
protected:
    TestRuntime runtime;
    std::shared_ptr<FakeLocationAuthorizer> authorizer = std::make_shared<FakeLocationAuthorizer>();
    std::shared_ptr<CountingLocationSettingsOpener> opener =
        std::make_shared<CountingLocationSettingsOpener>();

    std::shared_ptr<LocationPermissionController> controllerAt(LocationPermissionStatus status) {
        authorizer->status = status;
        return LocationPermissionController::create(authorizer, opener);
    }
};

TEST_F(LocationCardButtonTest, UndecidedAsksForPermissionOnly) {
    auto controller = controllerAt(LocationPermissionStatus::notDetermined);
    LocationCardModel::performButtonAction(*controller);
    EXPECT_EQ(authorizer->requests, 1);
    EXPECT_EQ(opener->opens, 0);
}

TEST_F(LocationCardButtonTest, DeniedAndRestrictedOpenTheSettings) {
    for (const auto status :
         {LocationPermissionStatus::denied, LocationPermissionStatus::restricted}) {
        auto controller = controllerAt(status);
        const int opensBefore = opener->opens;
        LocationCardModel::performButtonAction(*controller);
        EXPECT_EQ(opener->opens, opensBefore + 1);
    }
    EXPECT_EQ(authorizer->requests, 0);
}

TEST_F(LocationCardButtonTest, ThePressReadsTheStatusAgain) {
    auto controller = controllerAt(LocationPermissionStatus::notDetermined);
    // Decided elsewhere after the card was drawn.
    authorizer->report(LocationPermissionStatus::denied);
    runtime.runUntilIdle();
    LocationCardModel::performButtonAction(*controller);
    EXPECT_EQ(authorizer->requests, 0);
    EXPECT_EQ(opener->opens, 1);
    authorizer->report(LocationPermissionStatus::authorized);
    runtime.runUntilIdle();
    LocationCardModel::performButtonAction(*controller);
    EXPECT_EQ(authorizer->requests, 0);
    EXPECT_EQ(opener->opens, 1);
}
