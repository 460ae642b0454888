#pragma once

#include <functional>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

// Keeps this process's StatusNotifier item listed by every watcher that
// appears, as one does when a desktop shell restarts. Qt registers its item
// with a new watcher once, the moment the watcher takes its name; a watcher
// that takes its name before it serves its object (status-notifier-watcher
// does) answers that call with an error, and the icon stays away for as long
// as that watcher runs. So each time a watcher appears, this asks it which
// items it lists and, where none is this process's, has the item registered
// again: every `checkInterval`, until it is listed, at most `maxChecks` times.
// An item is this process's where its bus name belongs to one of this
// process's own connections, known by their unique names: no process ID is
// compared, since the bus may see another one (a sandbox, a container).
class StatusNotifierRegistration final : public QObject {
public:
    static constexpr int checkInterval = 500;
    static constexpr int maxChecks = 10;
    // The most tray icons of this process whose connections are looked for.
    static constexpr int maxTrayIcons = 16;

    // `registerAgain` registers the item anew; false where this process has
    // no StatusNotifier item (an XEmbed tray icon, or none shown).
    StatusNotifierRegistration(QDBusConnection connection, std::function<bool()> registerAgain);

    // Checks, as for a watcher that has just appeared: for an item first
    // shown while a watcher may still be starting.
    void checkListed();

    // The unique names of this process's connections that may own its item:
    // the given connection's, and those of the connections Qt opens for its
    // tray icons.
    QStringList ownUniqueNames() const;

private:
    void check();
    void checkOwners(const QStringList& listed);
    void notListed();
    void call(const QDBusMessage& message, std::function<void(const QDBusMessage&)> onReply);

    QDBusConnection connection_;
    std::function<bool()> registerAgain_;
    QDBusServiceWatcher watcher_;
    QTimer nextCheck_;
    int checksLeft_ = 0;
};
