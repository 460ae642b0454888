#include "Platform/AppKit/Tray/StatusNotifierRegistration.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

} // namespace

StatusNotifierRegistration::StatusNotifierRegistration(QDBusConnection connection,
                                                       QString itemService)
    : connection_(std::move(connection)), itemService_(std::move(itemService)),
      watcher_(watcherService, connection_, QDBusServiceWatcher::WatchForOwnerChange) {
    retry_.setSingleShot(true);
    retry_.setInterval(retryInterval);
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
    QDBusMessage ask = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetNameOwner"));
    ask << watcherService;
    auto* pending = new QDBusPendingCallWatcher(connection_.asyncCall(ask), this);
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
    ++calls_;
    if (newOwner.isEmpty()) {
        return;
    }
    attemptsLeft_ = maxAttempts;
    attempt();
}

void StatusNotifierRegistration::attempt() {
    --attemptsLeft_;
    QDBusMessage call = QDBusMessage::createMethodCall(
        watcherService, QStringLiteral("/StatusNotifierWatcher"), watcherService,
        QStringLiteral("RegisterStatusNotifierItem"));
    call << itemService_;
    const quint64 thisCall = ++calls_;
    auto* pending = new QDBusPendingCallWatcher(connection_.asyncCall(call), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, thisCall](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                if (thisCall != calls_) {
                    return;
                }
                if (!finished->isError()) {
                    ++accepted_;
                } else if (attemptsLeft_ > 0 &&
                           finished->error().type() != QDBusError::ServiceUnknown) {
                    retry_.start();
                }
            });
}
