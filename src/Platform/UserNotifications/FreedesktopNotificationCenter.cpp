#include "Platform/UserNotifications/FreedesktopNotificationCenter.h"

#include "Platform/DBus/AsyncDBusCall.h"
#include "Platform/UserNotifications/NotificationBodyText.h"
#include "Platform/UserNotifications/UserNotificationError.h"

#include <utility>

#include <QDBusMessage>
#include <QVariantMap>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
const QString defaultAction = QStringLiteral("default");

// Long enough for the bus to start an activatable server.
constexpr int callTimeoutMilliseconds = 10'000;

QDBusMessage methodCall(const QString& method) {
    return QDBusMessage::createMethodCall(service, path, interface, method);
}

} // namespace

std::shared_ptr<FreedesktopNotificationCenter>
FreedesktopNotificationCenter::create(QDBusConnection connection, QString applicationName) {
    return std::shared_ptr<FreedesktopNotificationCenter>(
        new FreedesktopNotificationCenter(std::move(connection), std::move(applicationName)));
}

FreedesktopNotificationCenter::FreedesktopNotificationCenter(QDBusConnection connection,
                                                             QString applicationName)
    : connection_(std::move(connection)), applicationName_(std::move(applicationName)) {
    if (connection_.isConnected()) {
        connection_.connect(service, path, interface, QStringLiteral("ActionInvoked"), this,
                            SLOT(onActionInvoked(uint, QString)));
        connection_.connect(service, path, interface, QStringLiteral("NotificationClosed"), this,
                            SLOT(onNotificationClosed(uint, uint)));
    }
}

FreedesktopNotificationCenter::~FreedesktopNotificationCenter() {
    if (connection_.isConnected()) {
        connection_.disconnect(service, path, interface, QStringLiteral("ActionInvoked"), this,
                               SLOT(onActionInvoked(uint, QString)));
        connection_.disconnect(service, path, interface, QStringLiteral("NotificationClosed"), this,
                               SLOT(onNotificationClosed(uint, uint)));
    }
}

Async::Task<UserNotificationAuthorizationStatus>
FreedesktopNotificationCenter::authorizationStatus() {
    const auto self = shared_from_this();
    if (!isDetermined_) {
        co_return UserNotificationAuthorizationStatus::notDetermined;
    }
    const auto capabilities = co_await serverCapabilities();
    co_return capabilities ? UserNotificationAuthorizationStatus::authorized
                           : UserNotificationAuthorizationStatus::denied;
}

Async::Task<bool> FreedesktopNotificationCenter::requestAuthorization() {
    const auto self = shared_from_this();
    isDetermined_ = true;
    const auto capabilities = co_await serverCapabilities();
    co_return capabilities.has_value();
}

Async::Task<void> FreedesktopNotificationCenter::add(UserNotificationRequest request) {
    const auto self = shared_from_this();
    if (!isDetermined_) {
        throw UserNotificationError(UserNotificationError::NotAuthorized{});
    }
    const auto capabilities = co_await serverCapabilities();
    if (!capabilities) {
        throw UserNotificationError(UserNotificationError::NotAuthorized{});
    }
    const auto replaced = idsByIdentifier_.find(request.identifier);
    const uint replacedID = replaced == idsByIdentifier_.end() ? 0 : replaced->second;
    const bool interpretsMarkup = capabilities->contains(QStringLiteral("body-markup"));
    const QDBusMessage reply = co_await asyncDBusCall(
        connection_, notifyMessage(request, replacedID, interpretsMarkup), callTimeoutMilliseconds);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        throw UserNotificationError(UserNotificationError::DeliveryFailed{reply.errorMessage()});
    }
    remember(request, reply.arguments().constFirst().toUInt());
}

void FreedesktopNotificationCenter::setResponseHandler(ResponseHandler handler) {
    responseHandler_ = std::move(handler);
}

Async::Task<std::optional<QStringList>> FreedesktopNotificationCenter::serverCapabilities() {
    if (!connection_.isConnected()) {
        co_return std::nullopt;
    }
    const QDBusMessage reply = co_await asyncDBusCall(
        connection_, methodCall(QStringLiteral("GetCapabilities")), callTimeoutMilliseconds);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        co_return std::nullopt;
    }
    co_return reply.arguments().constFirst().toStringList();
}

QDBusMessage FreedesktopNotificationCenter::notifyMessage(const UserNotificationRequest& request,
                                                          uint replacedID,
                                                          bool serverInterpretsMarkup) const {
    QVariantMap hints;
    if (!request.content.playsDefaultSound) {
        hints.insert(QStringLiteral("suppress-sound"), true);
    }
    QDBusMessage message = methodCall(QStringLiteral("Notify"));
    message << applicationName_ << replacedID << QString() << request.content.title
            << NotificationBodyText::prepared(request.content.body, serverInterpretsMarkup)
            << QStringList{defaultAction, QStringLiteral("Open")} << hints << qint32(-1);
    return message;
}

void FreedesktopNotificationCenter::remember(const UserNotificationRequest& request,
                                             uint notificationID) {
    const auto earlier = idsByIdentifier_.find(request.identifier);
    if (earlier != idsByIdentifier_.end() && earlier->second != notificationID) {
        // The server did not replace the earlier notification, or another post
        // under this identifier finished meanwhile: only the latest stays.
        close(earlier->second);
    }
    idsByIdentifier_[request.identifier] = notificationID;
    postedByID_[notificationID] = {request.identifier, request.content.userInfo};
}

void FreedesktopNotificationCenter::close(uint notificationID) {
    postedByID_.erase(notificationID);
    QDBusMessage message = methodCall(QStringLiteral("CloseNotification"));
    message << notificationID;
    connection_.send(message);
}

void FreedesktopNotificationCenter::onActionInvoked(uint notificationID, const QString& actionKey) {
    const auto posted = postedByID_.find(notificationID);
    if (actionKey != defaultAction || posted == postedByID_.end() || !responseHandler_) {
        return;
    }
    // Copies: the handler may post or change the handler while it runs.
    const UserNotificationResponse response{posted->second.identifier, posted->second.userInfo};
    const ResponseHandler handler = responseHandler_;
    handler(response);
}

void FreedesktopNotificationCenter::onNotificationClosed(uint notificationID, uint /*reason*/) {
    const auto posted = postedByID_.find(notificationID);
    if (posted == postedByID_.end()) {
        return;
    }
    const auto mapped = idsByIdentifier_.find(posted->second.identifier);
    if (mapped != idsByIdentifier_.end() && mapped->second == notificationID) {
        idsByIdentifier_.erase(mapped);
    }
    postedByID_.erase(posted);
}
