#pragma once

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>

// Which trays the desktop has now, told again at each change: a
// StatusNotifier watcher with a host registered, on the session bus, and an
// XEmbed tray, the owner of the X selection _NET_SYSTEM_TRAY_S<screen> as Qt
// tracks it for its own XEmbed icons. Nothing is polled: the bus tells of the
// watcher and its hosts, the X server of the selection's owner.
class TrayPresence final : public QObject {
    Q_OBJECT

public:
    explicit TrayPresence(QDBusConnection connection);

    // False until the watcher has answered.
    bool hasStatusNotifierHost() const { return statusNotifierHost_; }
    bool hasXEmbedTray() const;

signals:
    void changed();

private slots:
    void askForHost();

private:
    QDBusConnection connection_;
    QDBusServiceWatcher watcher_;
    bool statusNotifierHost_ = false;
    // Only the answer to the latest question counts.
    quint64 questions_ = 0;
};
