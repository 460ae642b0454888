#pragma once

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QSet>
#include <QString>

// Whether the desktop has a StatusNotifier host now, told again at each
// change. The watcher says whether a host has registered with it, but a
// watcher may outlive its host without saying so (a panel that crashed while
// its watcher lives in another process), so the hosts are followed
// themselves too, by their bus names ("org.kde.StatusNotifierHost-..."):
// once a named host has been seen, the last of them leaving the bus counts as
// the host gone, whatever the watcher says. A host that registers by its
// connection's unique name only is known by the watcher's word alone. Nothing
// is polled: the bus tells of every change of owner.
class TrayPresence final : public QObject {
    Q_OBJECT

public:
    explicit TrayPresence(QDBusConnection connection);

    // False until the watcher has answered.
    bool hasStatusNotifierHost() const;

signals:
    void changed();

private slots:
    void askWatcher();

private:
    void ownerChanged(const QString& name, const QString& newOwner);
    void listNames();
    void nameOwned(const QString& name, bool owned);
    void update(bool watcherSaysHost);

    QDBusConnection connection_;
    QDBusServiceWatcher names_;
    bool watcherUp_ = false;
    bool watcherSaysHost_ = false;
    QSet<QString> namedHosts_;
    bool namedHostSeen_ = false;
    bool shown_ = false;
    // Only the answer to the latest question counts.
    quint64 questions_ = 0;
};
