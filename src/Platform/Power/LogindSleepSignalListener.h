#pragma once

#include "Platform/Power/SleepWakeNotificationCenter.h"

#include <chrono>
#include <functional>
#include <memory>

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QTimer>

class MessageBusProbe;

// Turns logind's PrepareForSleep(bool) signal (org.freedesktop.login1,
// /org/freedesktop/login1, org.freedesktop.login1.Manager) into workspace
// notifications: true posts willSleep, false posts didWake, on the thread
// that owns the listener (the main thread). Only signals sent by the owner of
// the name org.freedesktop.login1 count. A sleep whose announcer loses that
// name (logind ends or restarts), or whose bus is lost, before it tells of the
// wake ends as a wake: no PrepareForSleep(false) comes from a new owner or a
// new bus. Without a bus it listens to nothing, and connects again every
// `retryInterval` until a bus answers, then listens to that bus's logind.
// Given the address the connector's bus listens at, it probes the bus before
// each connection, without blocking, and connects only to one that answers:
// one that does not counts as absent.
class LogindSleepSignalListener final : public QObject {
    Q_OBJECT

public:
    // Opens a connection of its own under the name given, which is new each
    // time. Production connects to the system bus.
    using BusConnector = std::function<QDBusConnection(const QString& connectionName)>;

    static constexpr std::chrono::milliseconds defaultRetryInterval{5'000};

    LogindSleepSignalListener(BusConnector connector,
                              std::shared_ptr<SleepWakeNotificationCenter> notificationCenter,
                              QObject* parent = nullptr,
                              std::chrono::milliseconds retryInterval = defaultRetryInterval,
                              QString probedAddress = {});
    ~LogindSleepSignalListener() override;

    bool isListening() const { return isListening_; }

private slots:
    void prepareForSleep(bool isGoingToSleep);
    void busLost();

private:
    void joinBus();
    void connectToBus();
    void dropBus();
    void ownerChanged();

    BusConnector connector_;
    std::shared_ptr<SleepWakeNotificationCenter> notificationCenter_;
    QString probedAddress_;
    MessageBusProbe* probe_ = nullptr;
    QString connectionName_;
    QDBusConnection bus_;
    QDBusServiceWatcher ownerWatcher_;
    QTimer retryTimer_;
    bool isListening_ = false;
    bool isAsleep_ = false;
};
