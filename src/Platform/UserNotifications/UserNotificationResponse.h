#pragma once

#include <map>

#include <QString>

// A click on a posted notification: its request's identifier and user
// information.
struct UserNotificationResponse {
    QString identifier;
    std::map<QString, QString> userInfo;

    bool operator==(const UserNotificationResponse&) const = default;
};
