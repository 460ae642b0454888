#include "Support/FakeNotificationServer.h"

#include <algorithm>

bool FakeNotificationServer::registerOn(QDBusConnection connection) {
    return connection.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                                     QDBusConnection::ExportAllSlots |
                                         QDBusConnection::ExportAllSignals) &&
           connection.registerService(QStringLiteral("org.freedesktop.Notifications"));
}

QStringList FakeNotificationServer::GetCapabilities() {
    ++capabilityRequestCount_;
    if (holdsCapabilityReplies) {
        setDelayedReply(true);
        return {};
    }
    return capabilities;
}

uint FakeNotificationServer::Notify(const QString& applicationName, uint replacedID,
                                    const QString& /*icon*/, const QString& summary,
                                    const QString& body, const QStringList& actions,
                                    const QVariantMap& hints, int expireTimeout) {
    if (refusesNotifications) {
        sendErrorReply(QDBusError::Failed, QStringLiteral("notifications are switched off"));
        return 0;
    }
    const bool replaces = honoursReplacement && replacedID != 0 &&
                          std::any_of(notifications_.begin(), notifications_.end(),
                                      [replacedID](const Notification& shown) {
                                          return shown.assignedID == replacedID;
                                      });
    const uint assignedID = replaces ? replacedID : nextID_++;
    notifications_.push_back(
        {applicationName, replacedID, summary, body, actions, hints, expireTimeout, assignedID});
    return assignedID;
}

void FakeNotificationServer::CloseNotification(uint notificationID) {
    closeRequests_.push_back(notificationID);
}
