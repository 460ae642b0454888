#pragma once

#include <map>

#include <QString>

// What a notification shows, and the texts handed back when it is clicked.
struct UserNotificationContent {
    QString title;
    QString body; // plain text
    bool playsDefaultSound = false;
    std::map<QString, QString> userInfo;

    bool operator==(const UserNotificationContent&) const = default;
};
