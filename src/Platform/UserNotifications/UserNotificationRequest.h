#pragma once

#include "Platform/UserNotifications/UserNotificationContent.h"

#include <QString>

// A notification to deliver at once. A request replaces the notification an
// earlier request with the same identifier posted.
struct UserNotificationRequest {
    QString identifier;
    UserNotificationContent content;

    bool operator==(const UserNotificationRequest&) const = default;
};
