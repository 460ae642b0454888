#pragma once

#include "Platform/UserNotifications/UserNotificationPosting.h"

#include <map>
#include <memory>
#include <optional>

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>

// User notifications through the desktop's notification server
// (org.freedesktop.Notifications) on the session bus. Authorization is granted
// while a notification server answers; without a bus nothing is authorized and
// nothing is posted. A click on a notification's default action is reported
// with the identifier and user information of the request that posted it.
class FreedesktopNotificationCenter final
    : public QObject,
      public UserNotificationPosting,
      public std::enable_shared_from_this<FreedesktopNotificationCenter> {
    Q_OBJECT

public:
    static std::shared_ptr<FreedesktopNotificationCenter>
    create(QDBusConnection connection = QDBusConnection::sessionBus(),
           QString applicationName = QStringLiteral("Pelmor"));
    ~FreedesktopNotificationCenter() override;

    // Not yet determined until authorization is requested; afterwards
    // authorized while a notification server answers.
    Async::Task<UserNotificationAuthorizationStatus> authorizationStatus() override;
    Async::Task<bool> requestAuthorization() override;
    Async::Task<void> add(UserNotificationRequest request) override;
    void setResponseHandler(ResponseHandler handler) override;

private Q_SLOTS:
    void onActionInvoked(uint notificationID, const QString& actionKey);
    void onNotificationClosed(uint notificationID, uint reason);

private:
    struct PostedNotification {
        QString identifier;
        std::map<QString, QString> userInfo;
    };

    FreedesktopNotificationCenter(QDBusConnection connection, QString applicationName);

    // The server's capabilities; none when no server answers.
    Async::Task<std::optional<QStringList>> serverCapabilities();
    QDBusMessage notifyMessage(const UserNotificationRequest& request, uint replacedID,
                               bool serverInterpretsMarkup) const;
    void remember(const UserNotificationRequest& request, uint notificationID);
    void close(uint notificationID);

    QDBusConnection connection_;
    QString applicationName_;
    bool isDetermined_ = false;
    ResponseHandler responseHandler_;
    std::map<uint, PostedNotification> postedByID_;
    std::map<QString, uint> idsByIdentifier_;
};
