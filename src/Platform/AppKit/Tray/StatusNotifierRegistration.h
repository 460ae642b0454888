#pragma once

#include "Platform/DBus/LatestDBusCall.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// Registers this application's StatusNotifier item, by its bus name, with
// each StatusNotifier watcher: once with the watcher there when it is
// started, and once more with each watcher that takes the watcher's name
// later (a desktop shell that restarts). A watcher that has taken its name
// but does not serve its object yet (status-notifier-watcher does this)
// answers with an error: it is asked again for as long as it holds the name,
// after a pause that starts at `firstPause` and doubles up to `longestPause`,
// until it accepts the item.
class StatusNotifierRegistration final : public QObject {
    Q_OBJECT

public:
    static constexpr int firstPause = 500;
    static constexpr int longestPause = 4'000;

    StatusNotifierRegistration(QDBusConnection connection, QString itemService);

    // Registers the item from now on; before this, nothing is registered.
    void start();

    // Whether the watcher that holds the name now has accepted the item.
    bool isRegistered() const { return registered_; }

signals:
    void registeredChanged();

private:
    void askOwner();
    void watcherChanged(const QString& newOwner);
    void attempt();
    void setRegistered(bool registered);

    QDBusConnection connection_;
    QString itemService_;
    QDBusServiceWatcher watcher_;
    QTimer retry_;
    LatestDBusCall registering_{this};
    bool started_ = false;
    // The watcher's connection that the item is registered with, or is
    // being registered with.
    QString owner_;
    int pause_ = firstPause;
    bool registered_ = false;
};
