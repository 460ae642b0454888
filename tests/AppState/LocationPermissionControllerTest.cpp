#include "AppState/LocationPermissionController.h"

#include "Support/TestRuntime.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

class ScriptedAuthorizer final : public LocationAuthorizing {
public:
    LocationPermissionStatus status = LocationPermissionStatus::notDetermined;
    int requests = 0;

    LocationPermissionStatus authorizationStatus() const override { return status; }
    const StatusChangeCallback& onAuthorizationStatusChange() const override { return callback_; }
    void setOnAuthorizationStatusChange(StatusChangeCallback callback) override {
        callback_ = std::move(callback);
    }
    void requestWhenInUseAuthorization() override { ++requests; }

    // Reports a status from a thread of the platform's own.
    void reportFromAnotherThread(LocationPermissionStatus reported) {
        status = reported;
        std::thread platform([this, reported] { callback_(reported); });
        platform.join();
    }

private:
    StatusChangeCallback callback_;
};

class CountingSettingsOpener final : public LocationSettingsOpening {
public:
    int openings = 0;
    bool openLocationServicesPane() override {
        ++openings;
        return false;
    }
};

} // namespace

class LocationPermissionControllerTest : public testing::Test {
protected:
    TestRuntime runtime;
    std::shared_ptr<ScriptedAuthorizer> authorizer = std::make_shared<ScriptedAuthorizer>();
    std::shared_ptr<CountingSettingsOpener> opener = std::make_shared<CountingSettingsOpener>();
};

TEST_F(LocationPermissionControllerTest,
       ChangesFromAnotherThreadArePublishedOnTheMainThreadEveryTime) {
    auto controller = LocationPermissionController::create(authorizer, opener);
    std::vector<std::pair<LocationPermissionStatus, std::thread::id>> published;
    auto subscription = controller->status().subscribe([&](LocationPermissionStatus status) {
        published.emplace_back(status, std::this_thread::get_id());
    });
    authorizer->reportFromAnotherThread(LocationPermissionStatus::authorized);
    authorizer->reportFromAnotherThread(LocationPermissionStatus::authorized);
    EXPECT_EQ(published.size(), 1u) << "written outside the main thread's tasks";
    ASSERT_TRUE(runtime.executor().runUntil([&] { return published.size() == 3; }));
    for (const auto& [status, thread] : published) {
        EXPECT_EQ(thread, std::this_thread::get_id());
    }
    EXPECT_EQ(published.back().first, LocationPermissionStatus::authorized);
}

TEST_F(LocationPermissionControllerTest, RequestsPermissionOnlyWhileUndecided) {
    for (auto status : {LocationPermissionStatus::denied, LocationPermissionStatus::restricted,
                        LocationPermissionStatus::authorized}) {
        authorizer->status = status;
        auto controller = LocationPermissionController::create(authorizer, opener);
        controller->requestAuthorizationIfNeeded();
    }
    EXPECT_EQ(authorizer->requests, 0);
    authorizer->status = LocationPermissionStatus::notDetermined;
    LocationPermissionController::create(authorizer, opener)->requestAuthorizationIfNeeded();
    EXPECT_EQ(authorizer->requests, 1);
}

TEST_F(LocationPermissionControllerTest, RefreshReadsAGrantMadeWithoutACallback) {
    auto controller = LocationPermissionController::create(authorizer, opener);
    authorizer->status = LocationPermissionStatus::authorized;
    EXPECT_EQ(controller->status().value(), LocationPermissionStatus::notDetermined);
    controller->refreshAuthorizationStatus();
    EXPECT_EQ(controller->status().value(), LocationPermissionStatus::authorized);
    controller->openLocationSettings();
    EXPECT_EQ(opener->openings, 1);
}

TEST_F(LocationPermissionControllerTest, AChangeReportedAfterTheControllerIsGoneIsDropped) {
    auto controller = LocationPermissionController::create(authorizer, opener);
    controller.reset();
    authorizer->reportFromAnotherThread(LocationPermissionStatus::denied);
    EXPECT_EQ(runtime.executor().pendingCount(), 1u)
        << "the report was not handed to the main thread";
    runtime.runUntilIdle();
    EXPECT_EQ(runtime.runtime().liveTaskCount(), 0u);
}
