#include "Platform/AppKit/StatusNotifierRegistration.h"

#include <memory>

#include <QCoreApplication>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

} // namespace

StatusNotifierRegistration::StatusNotifierRegistration(QDBusConnection connection,
                                                       std::function<bool()> registerAgain)
    : connection_(std::move(connection)), registerAgain_(std::move(registerAgain)),
      watcher_(watcherService, connection_, QDBusServiceWatcher::WatchForRegistration) {
    nextCheck_.setSingleShot(true);
    nextCheck_.setInterval(checkInterval);
    connect(&nextCheck_, &QTimer::timeout, this, &StatusNotifierRegistration::check);
    // The first check waits an interval, so that Qt's own registration has
    // usually landed and the item is not registered twice.
    connect(&watcher_, &QDBusServiceWatcher::serviceRegistered, this,
            &StatusNotifierRegistration::checkListed);
}

void StatusNotifierRegistration::checkListed() {
    checksLeft_ = maxChecks;
    nextCheck_.start();
}

void StatusNotifierRegistration::check() {
    --checksLeft_;
    QDBusMessage get = QDBusMessage::createMethodCall(
        watcherService, QStringLiteral("/StatusNotifierWatcher"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << watcherService << QStringLiteral("RegisteredStatusNotifierItems");
    // An error reply, from a watcher that does not serve yet, lists nothing.
    call(get, [this](const QDBusMessage& items) {
        checkOwners(items.arguments().value(0).value<QDBusVariant>().variant().toStringList());
    });
}

// Qt gives each tray icon a connection of its own, named
// "org.kde.StatusNotifierItem-<process ID>-<count of the icon>" (the ID as
// this process sees it: it names the connection only), and registers that
// connection's unique name with the watcher.
QStringList StatusNotifierRegistration::ownUniqueNames() const {
    QStringList names{connection_.baseService()};
    const QString trayConnection = QStringLiteral("org.kde.StatusNotifierItem-%1-%2");
    for (int icon = 1; icon <= maxTrayIcons; ++icon) {
        const QDBusConnection tray(
            trayConnection.arg(QCoreApplication::applicationPid()).arg(icon));
        if (tray.isConnected()) {
            names.append(tray.baseService());
        }
    }
    return names;
}

// Watchers list an item by the bus name it was registered with, some with
// the object path after it; the item is ours where the owner of that name
// is one of this process's connections.
void StatusNotifierRegistration::checkOwners(const QStringList& listed) {
    if (listed.isEmpty()) {
        notListed();
        return;
    }
    struct Owners {
        qsizetype unanswered;
        bool found = false;
    };
    auto owners = std::make_shared<Owners>(Owners{listed.size()});
    for (const QString& item : listed) {
        QDBusMessage owner = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetNameOwner"));
        owner << item.section(QLatin1Char('/'), 0, 0);
        call(owner, [this, owners](const QDBusMessage& reply) {
            const QString name = reply.arguments().value(0).toString();
            owners->found = owners->found || (!name.isEmpty() && ownUniqueNames().contains(name));
            if (--owners->unanswered == 0 && !owners->found) {
                notListed();
            }
        });
    }
}

void StatusNotifierRegistration::notListed() {
    if (registerAgain_() && checksLeft_ > 0) {
        nextCheck_.start();
    }
}

// The reply is dropped if this goes first.
void StatusNotifierRegistration::call(const QDBusMessage& message,
                                      std::function<void(const QDBusMessage&)> onReply) {
    auto* pending = new QDBusPendingCallWatcher(connection_.asyncCall(message), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [onReply = std::move(onReply)](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                onReply(finished->reply());
            });
}
