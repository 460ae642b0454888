#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QStringList>

// A StatusNotifier watcher on a test's private bus: it records the items
// registered with it and says whether a host is registered, as the test sets
// it. Like status-notifier-watcher it can take its name before it serves.
class FakeStatusNotifierWatcher final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ registeredItems)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)

public:
    explicit FakeStatusNotifierWatcher(QDBusConnection connection);
    ~FakeStatusNotifierWatcher() override;

    bool takeName();
    bool serve();
    // Sets whether a host is registered, and says so only where `announce`.
    void setHostRegistered(bool registered, bool announce = true);

    bool isHostRegistered() const {
        ++hostQuestions_;
        return hostRegistered_;
    }
    // How often whether a host is registered was asked.
    int hostQuestions() const { return hostQuestions_; }
    QStringList registeredItems() const { return items_; }
    int protocolVersion() const { return 0; }
    // Every registration call, with the name it gave, in order.
    const QStringList& registrations() const { return registrations_; }

public slots:
    Q_SCRIPTABLE void RegisterStatusNotifierItem(const QString& service);
    Q_SCRIPTABLE void RegisterStatusNotifierHost(const QString& service);
    // Where an item registered by its bus name serves, as
    // status-notifier-watcher answers its own host (gtk-sni-tray).
    Q_SCRIPTABLE QString GetObjectPathForItemName(const QString& service);

signals:
    Q_SCRIPTABLE void StatusNotifierItemRegistered(const QString& service);
    Q_SCRIPTABLE void StatusNotifierHostRegistered();
    Q_SCRIPTABLE void StatusNotifierHostUnregistered();

private:
    QDBusConnection connection_;
    bool hostRegistered_ = false;
    mutable int hostQuestions_ = 0;
    QStringList items_;
    QStringList registrations_;
};
