#pragma once

#include "Platform/Async/Task.h"
#include "Platform/UserNotifications/UserNotificationAuthorizationStatus.h"
#include "Platform/UserNotifications/UserNotificationRequest.h"
#include "Platform/UserNotifications/UserNotificationResponse.h"

#include <functional>

// Posts user notifications and reports clicks on them. Used on the main thread.
class UserNotificationPosting {
public:
    using ResponseHandler = std::function<void(const UserNotificationResponse&)>;

    virtual ~UserNotificationPosting() = default;

    virtual Async::Task<UserNotificationAuthorizationStatus> authorizationStatus() = 0;

    // Asks for permission to post; true when granted.
    virtual Async::Task<bool> requestAuthorization() = 0;

    // Delivers the notification at once, replacing the one posted under the
    // same identifier. Throws UserNotificationError.
    virtual Async::Task<void> add(UserNotificationRequest request) = 0;

    // Called with each click on a notification posted here.
    virtual void setResponseHandler(ResponseHandler handler) = 0;
};
