#pragma once

#include "Platform/Power/SleepWakeNotificationCenter.h"

#include <memory>

#include <QDBusConnection>
#include <QObject>

// Turns logind's PrepareForSleep(bool) signal (org.freedesktop.login1,
// /org/freedesktop/login1, org.freedesktop.login1.Manager) into workspace
// notifications: true posts willSleep, false posts didWake, on the thread
// that owns the listener (the main thread). Only signals sent by the owner of
// the name org.freedesktop.login1 count. Without a bus it listens to nothing.
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
    QDBusConnection bus_;
    std::shared_ptr<SleepWakeNotificationCenter> notificationCenter_;
    bool isListening_ = false;
};
