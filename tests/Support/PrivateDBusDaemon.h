#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A message bus of the test's own (dbus-daemon with the session policy),
// listening in a temporary folder and ended with the object.
class PrivateDBusDaemon {
public:
    PrivateDBusDaemon();
    ~PrivateDBusDaemon();
    PrivateDBusDaemon(const PrivateDBusDaemon&) = delete;
    PrivateDBusDaemon& operator=(const PrivateDBusDaemon&) = delete;

    // Starts the daemon. Empty on success, else why it could not run.
    QString start();
    // Starts the daemon listening at `listenAddress` (unix:abstract=..., say).
    QString start(const QString& listenAddress);
    // Ends the daemon as SIGKILL does: its clients are cut off, told nothing.
    void kill();
    // Starts a new daemon listening where the last one did.
    QString restart();

    // The address clients connect to.
    const QString& address() const { return address_; }

private:
    QTemporaryDir folder_;
    QProcess daemon_;
    QString address_;
};
