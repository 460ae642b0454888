#pragma once

// Whether the application may post user notifications.
enum class UserNotificationAuthorizationStatus {
    notDetermined, // not yet asked
    denied,
    authorized,
};
