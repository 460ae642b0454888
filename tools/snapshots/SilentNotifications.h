#pragma once

#include "Platform/UserNotifications/UserNotificationPosting.h"

// A notification center that shows nothing: the pictures are drawn without
// a desktop session.
class SilentNotifications final : public UserNotificationPosting {
public:
    Async::Task<UserNotificationAuthorizationStatus> authorizationStatus() override {
        co_return UserNotificationAuthorizationStatus::denied;
    }
    Async::Task<bool> requestAuthorization() override { co_return false; }
    Async::Task<void> add(UserNotificationRequest) override { co_return; }
    void setResponseHandler(ResponseHandler) override {}
};
