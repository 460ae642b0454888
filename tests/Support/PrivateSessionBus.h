#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A message bus of the test's own: a dbus-daemon with a minimal session
// configuration (no service activation) listening in a temporary folder. It is
// stopped, and every connection made through it closed, on destruction.
class PrivateSessionBus {
public:
    PrivateSessionBus();
    ~PrivateSessionBus();
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    bool isRunning() const { return !address_.isEmpty(); }
    const QString& address() const { return address_; }

    // A new connection of its own to the bus.
    QDBusConnection connect();

private:
    QTemporaryDir folder_;
    QProcess daemon_;
    QString address_;
    QStringList connectionNames_;
};
