#pragma once

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
// answers with an error: the call is repeated every `retryInterval`, at most
// `maxAttempts` times in all, until that watcher accepts it.
class StatusNotifierRegistration final : public QObject {
public:
    static constexpr int retryInterval = 500;
    static constexpr int maxAttempts = 10;

    StatusNotifierRegistration(QDBusConnection connection, QString itemService);

    // Registers the item from now on; before this, nothing is registered.
    void start();

    // Registrations accepted, since the start: one per watcher.
    int accepted() const { return accepted_; }

private:
    void askOwner();
    void watcherChanged(const QString& newOwner);
    void attempt();

    QDBusConnection connection_;
    QString itemService_;
    QDBusServiceWatcher watcher_;
    QTimer retry_;
    bool started_ = false;
    // The watcher's connection that the item is registered with, or is
    // being registered with.
    QString owner_;
    int attemptsLeft_ = 0;
    // Only the answer to the latest call counts.
    quint64 calls_ = 0;
    int accepted_ = 0;
};
