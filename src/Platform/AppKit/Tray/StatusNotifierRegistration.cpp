#include "Platform/AppKit/Tray/StatusNotifierRegistration.h"

#include "Platform/AppKit/Tray/StatusNotifierWatcher.h"

#include <algorithm>

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

StatusNotifierRegistration::StatusNotifierRegistration(QDBusConnection connection,
                                                       QString itemService)
    : connection_(std::move(connection)), itemService_(std::move(itemService)),
      watcher_(StatusNotifierWatcher::service(), connection_,
               QDBusServiceWatcher::WatchForOwnerChange) {
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, &StatusNotifierRegistration::attempt);
    connect(&watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                watcherChanged(newOwner);
            });
}

void StatusNotifierRegistration::start() {
    if (started_ || !connection_.isConnected()) {
        return;
    }
    started_ = true;
    askOwner();
}

// A watcher that is not there yet is registered with when it comes.
void StatusNotifierRegistration::askOwner() {
    auto* pending = new QDBusPendingCallWatcher(
        connection_.interface()->asyncCall(QStringLiteral("GetNameOwner"),
                                           StatusNotifierWatcher::service()),
        this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QString owner = finished->reply().arguments().value(0).toString();
                if (!owner.isEmpty()) {
                    watcherChanged(owner);
                }
            });
}

// Each watcher is known by its connection: the bus may tell of one both in
// answer to the question and as a change of owner.
void StatusNotifierRegistration::watcherChanged(const QString& newOwner) {
    if (!started_ || newOwner == owner_) {
        return;
    }
    owner_ = newOwner;
    retry_.stop();
    registering_.forget();
    setRegistered(false);
    if (newOwner.isEmpty()) {
        return;
    }
    pause_ = firstPause;
    attempt();
}

// A watcher that has left answers that it is unknown: the bus tells when
// another comes.
void StatusNotifierRegistration::attempt() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        StatusNotifierWatcher::service(), StatusNotifierWatcher::path(),
        StatusNotifierWatcher::service(), QStringLiteral("RegisterStatusNotifierItem"));
    call << itemService_;
    registering_.call(connection_, call, [this](const QDBusMessage& reply) {
        if (reply.type() == QDBusMessage::ReplyMessage) {
            setRegistered(true);
        } else if (QDBusError(reply).type() != QDBusError::ServiceUnknown) {
            retry_.start(pause_);
            pause_ = std::min(pause_ * 2, longestPause);
        }
    });
}

void StatusNotifierRegistration::setRegistered(bool registered) {
    if (registered != registered_) {
        registered_ = registered;
        emit registeredChanged();
    }
}
