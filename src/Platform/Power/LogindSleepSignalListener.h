#pragma once

#include "Platform/Power/SleepWakeNotificationCenter.h"

#include <memory>

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>

// Turns logind's PrepareForSleep(bool) signal (org.freedesktop.login1,
// /org/freedesktop/login1, org.freedesktop.login1.Manager) into workspace
// notifications: true posts willSleep, false posts didWake, on the thread
// that owns the listener (the main thread). Only signals sent by the owner of
// the name org.freedesktop.login1 count. A sleep whose announcer loses that
// name (logind ends or restarts) before it tells of the wake ends as a wake:
// no PrepareForSleep(false) comes from a new owner. Without a bus it listens
// to nothing.
class LogindSleepSignalListener final : public QObject {
    Q_OBJECT

public:
    // Production passes QDBusConnection::systemBus().
    LogindSleepSignalListener(QDBusConnection bus,
                              std::shared_ptr<SleepWakeNotificationCenter> notificationCenter,
                              QObject* parent = nullptr);
    ~LogindSleepSignalListener() override;

    bool isListening() const { return isListening_; }

private slots:
    void prepareForSleep(bool isGoingToSleep);

private:
    void ownerChanged();

    QDBusConnection bus_;
    std::shared_ptr<SleepWakeNotificationCenter> notificationCenter_;
    QDBusServiceWatcher ownerWatcher_;
    bool isListening_ = false;
    bool isAsleep_ = false;
};
