#include "Platform/AppKit/Tray/TrayPresence.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString hostPrefix = QStringLiteral("org.kde.StatusNotifierHost");

bool isHostName(const QString& name) {
    return name.startsWith(hostPrefix);
}

} // namespace

// Both the watcher's and the hosts' names lie in the org.kde namespace: one
// match rule on the bus covers them.
TrayPresence::TrayPresence(QDBusConnection connection)
    : connection_(std::move(connection)),
      names_(QStringLiteral("org.kde*"), connection_, QDBusServiceWatcher::WatchForOwnerChange) {
    connect(&names_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString& name, const QString&, const QString& newOwner) {
                ownerChanged(name, newOwner);
            });
    // From any sender: a watcher that has just taken its name may send these
    // before the bus has told who owns it.
    connection_.connect(QString(), watcherPath, watcherService,
                        QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(askWatcher()));
    connection_.connect(QString(), watcherPath, watcherService,
                        QStringLiteral("StatusNotifierHostUnregistered"), this, SLOT(askWatcher()));
    listNames();
    askWatcher();
}

bool TrayPresence::hasStatusNotifierHost() const {
    return watcherUp_ && (namedHostSeen_ ? !namedHosts_.isEmpty() : watcherSaysHost_);
}

void TrayPresence::nameOwned(const QString& name, bool owned) {
    if (name == watcherService) {
        watcherUp_ = owned;
    } else if (owned) {
        namedHosts_.insert(name);
        namedHostSeen_ = true;
    } else {
        namedHosts_.remove(name);
    }
}

void TrayPresence::ownerChanged(const QString& name, const QString& newOwner) {
    if (isHostName(name) || name == watcherService) {
        nameOwned(name, !newOwner.isEmpty());
        update(watcherSaysHost_);
        askWatcher();
    }
}

void TrayPresence::listNames() {
    const QDBusMessage list = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListNames"));
    auto* pending = new QDBusPendingCallWatcher(connection_.asyncCall(list), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                for (const QString& name : finished->reply().arguments().value(0).toStringList()) {
                    if (isHostName(name) || name == watcherService) {
                        nameOwned(name, true);
                    }
                }
                update(watcherSaysHost_);
            });
}

// A watcher that has taken its name but serves nothing yet answers with an
// error: no host, until it announces one.
void TrayPresence::askWatcher() {
    QDBusMessage get = QDBusMessage::createMethodCall(
        watcherService, watcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << watcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    const quint64 question = ++questions_;
    auto* pending = new QDBusPendingCallWatcher(connection_.asyncCall(get), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this, question](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusMessage reply = finished->reply();
                const bool host =
                    reply.type() == QDBusMessage::ReplyMessage &&
                    reply.arguments().value(0).value<QDBusVariant>().variant().toBool();
                if (question == questions_) {
                    update(host);
                }
            });
}

void TrayPresence::update(bool watcherSaysHost) {
    watcherSaysHost_ = watcherSaysHost;
    const bool shown = hasStatusNotifierHost();
    if (shown != shown_) {
        shown_ = shown;
        emit changed();
    }
}
