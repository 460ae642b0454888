#include "Platform/UserNotifications/UserNotificationError.h"

const char* UserNotificationError::what() const noexcept {
    if (as<NotAuthorized>() != nullptr) {
        return "Notifications are not authorized.";
    }
    return "The notification could not be delivered.";
}
