#include "Platform/AppKit/TrayPresence.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QtGui/qpa/qplatformnativeinterface.h>

namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");

bool onX11() {
    return QGuiApplication::platformName() == QStringLiteral("xcb");
}

} // namespace

TrayPresence::TrayPresence(QDBusConnection connection)
    : connection_(std::move(connection)),
      watcher_(watcherService, connection_,
               QDBusServiceWatcher::WatchForRegistration |
                   QDBusServiceWatcher::WatchForUnregistration) {
    connect(&watcher_, &QDBusServiceWatcher::serviceRegistered, this, &TrayPresence::askForHost);
    connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this, &TrayPresence::askForHost);
    // From any sender: a watcher that has just taken its name may send these
    // before the bus has told who owns it.
    for (const char* signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"}) {
        connection_.connect(QString(), watcherPath, watcherService, QString::fromLatin1(signal),
                            this, SLOT(askForHost()));
    }
    askForHost();
    if (onX11()) {
        // Qt's xcb plugin follows the selection once it has been asked for
        // the tray, and says so through this signal of its own.
        hasXEmbedTray();
        connect(QGuiApplication::platformNativeInterface(),
                SIGNAL(systemTrayWindowChanged(QScreen*)), this, SIGNAL(changed()));
    }
}

bool TrayPresence::hasXEmbedTray() const {
    QScreen* const screen = QGuiApplication::primaryScreen();
    return onX11() && screen != nullptr &&
           QGuiApplication::platformNativeInterface()->nativeResourceForScreen(
               QByteArrayLiteral("traywindow"), screen) != nullptr;
}

// A watcher that has taken its name but serves nothing yet answers with an
// error: no host, until it announces one.
void TrayPresence::askForHost() {
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
                if (question == questions_ && host != statusNotifierHost_) {
                    statusNotifierHost_ = host;
                    emit changed();
                }
            });
}
