#include "Platform/AppKit/Tray/TrayPresence.h"

#include "Platform/AppKit/Tray/StatusNotifierWatcher.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

namespace {

const QString busService = QStringLiteral("org.freedesktop.DBus");
const QString hostPrefix = QStringLiteral("org.kde.StatusNotifierHost");

bool isHostName(const QString& name) {
    return name.startsWith(hostPrefix);
}

bool isUniqueName(const QString& name) {
    return name.startsWith(QLatin1Char(':'));
}

} // namespace

// Every change of owner on the bus is heard: the watcher's, the named hosts'
// and each connection's leaving. The watcher's signals are taken from any
// sender: a watcher that has just taken its name may send them before the
// bus has told who owns it.
TrayPresence::TrayPresence(QDBusConnection connection) : connection_(std::move(connection)) {
    askSoon_.setSingleShot(true);
    askSoon_.setInterval(askDelay);
    connect(&askSoon_, &QTimer::timeout, this, &TrayPresence::askWatcher);
    if (!connection_.isConnected()) {
        return;
    }
    connection_.connect(busService, QStringLiteral("/org/freedesktop/DBus"), busService,
                        QStringLiteral("NameOwnerChanged"), this,
                        SLOT(nameOwnerChanged(QString, QString, QString)));
    const QString watcher = StatusNotifierWatcher::service();
    const QString path = StatusNotifierWatcher::path();
    connection_.connect(QString(), path, watcher, QStringLiteral("StatusNotifierHostRegistered"),
                        this, SLOT(hostRegistered()));
    connection_.connect(QString(), path, watcher, QStringLiteral("StatusNotifierHostUnregistered"),
                        this, SLOT(askSoon()));
    listNames();
    askWatcher();
}

void TrayPresence::nameOwnerChanged(const QString& name, const QString& /*oldOwner*/,
                                    const QString& newOwner) {
    const bool owned = !newOwner.isEmpty();
    if (name == StatusNotifierWatcher::service()) {
        watcherCame(owned);
    } else if (isHostName(name)) {
        namedHostChanged(name, owned);
    } else {
        if (isUniqueName(name) && !owned && mayHaveLostAnUnnamedHost()) {
            askSoon();
        }
        return;
    }
    update();
    askSoon();
}

void TrayPresence::listNames() {
    auto* pending = new QDBusPendingCallWatcher(
        connection_.interface()->asyncCall(QStringLiteral("ListNames")), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                for (const QString& name : finished->reply().arguments().value(0).toStringList()) {
                    if (name == StatusNotifierWatcher::service()) {
                        watcherUp_ = true;
                    } else if (isHostName(name)) {
                        namedHosts_.insert(name);
                    }
                }
                update();
            });
}

// A watcher that comes, or replaces another, knows nothing the last one said;
// the named hosts on the bus may register with it.
void TrayPresence::watcherCame(bool up) {
    watcherUp_ = up;
    watcherSaysHost_ = false;
    uniqueNameHostShown_ = false;
    namedHostLeft_ = false;
    unannouncedNamedHosts_ = namedHosts_;
    question_.forget();
    isAsking_ = false;
}

void TrayPresence::namedHostChanged(const QString& name, bool owned) {
    if (owned) {
        namedHosts_.insert(name);
        unannouncedNamedHosts_.insert(name);
    } else {
        namedHosts_.remove(name);
        unannouncedNamedHosts_.remove(name);
        namedHostLeft_ = true;
    }
}

// A named host's registration is the first announced after it came.
void TrayPresence::hostRegistered() {
    if (unannouncedNamedHosts_.isEmpty()) {
        uniqueNameHostShown_ = true;
    } else {
        unannouncedNamedHosts_.erase(unannouncedNamedHosts_.begin());
    }
    askSoon();
}

// A connection that leaves can only take a host known by its unique name
// away: that changes the answer only where such a host is all that counts,
// or where an answer is still to come that the watcher may have given before
// it heard of the leaving.
bool TrayPresence::mayHaveLostAnUnnamedHost() const {
    return watcherUp_ && namedHosts_.isEmpty() &&
           ((watcherSaysHost_ && uniqueNameHostShown_) || isAsking_ || askSoon_.isActive());
}

// However many peers come, go or announce, the watcher is asked at most once
// per `askDelay`.
void TrayPresence::askSoon() {
    if (!askSoon_.isActive()) {
        askSoon_.start();
    }
}

// A watcher that has taken its name but serves nothing yet answers with an
// error: no host, until it announces one.
void TrayPresence::askWatcher() {
    QDBusMessage get = QDBusMessage::createMethodCall(
        StatusNotifierWatcher::service(), StatusNotifierWatcher::path(),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << StatusNotifierWatcher::service() << QStringLiteral("IsStatusNotifierHostRegistered");
    // A watcher that is not there is not started for a question.
    get.setAutoStartService(false);
    isAsking_ = true;
    question_.call(connection_, get, [this](const QDBusMessage& reply) {
        isAsking_ = false;
        answered(reply.type() == QDBusMessage::ReplyMessage &&
                 reply.arguments().value(0).value<QDBusVariant>().variant().toBool());
    });
}

void TrayPresence::answered(bool watcherSaysHost) {
    watcherSaysHost_ = watcherSaysHost;
    if (!watcherSaysHost) {
        uniqueNameHostShown_ = false;
        namedHostLeft_ = false;
    } else if (namedHosts_.isEmpty() && !namedHostLeft_) {
        uniqueNameHostShown_ = true;
    }
    update();
}

void TrayPresence::update() {
    const bool shown =
        watcherUp_ && (!namedHosts_.isEmpty() || (watcherSaysHost_ && uniqueNameHostShown_));
    if (shown != shown_) {
        shown_ = shown;
        emit changed();
    }
}
