#pragma once

#include <cstdint>
#include <vector>

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// A notification server (org.freedesktop.Notifications) for tests: it records
// what it is sent, answers as told, and emits the signals a real server emits
// when the test calls them.
class FakeNotificationServer final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Notification {
        QString applicationName;
        uint replacedID = 0;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        int expireTimeout = 0;
        uint assignedID = 0;
    };

    // Registers the object and the service name on `connection`.
    bool registerOn(QDBusConnection connection);

    QStringList capabilities{QStringLiteral("actions"), QStringLiteral("body")};
    bool honoursReplacement = true; // some servers ignore replaces_id
    bool refusesNotifications = false;
    bool holdsCapabilityReplies = false; // never answers GetCapabilities

    const std::vector<Notification>& notifications() const { return notifications_; }
    const std::vector<uint>& closeRequests() const { return closeRequests_; }
    int capabilityRequestCount() const { return capabilityRequestCount_; }

public Q_SLOTS:
    QStringList GetCapabilities();
    uint Notify(const QString& applicationName, uint replacedID, const QString& icon,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& hints, int expireTimeout);
    void CloseNotification(uint notificationID);

Q_SIGNALS:
    void ActionInvoked(uint notificationID, const QString& actionKey);
    void NotificationClosed(uint notificationID, uint reason);

private:
    uint nextID_ = 1;
    std::vector<Notification> notifications_;
    std::vector<uint> closeRequests_;
    int capabilityRequestCount_ = 0;
};
