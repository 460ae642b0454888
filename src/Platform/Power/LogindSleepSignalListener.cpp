#include "Platform/Power/LogindSleepSignalListener.h"

namespace {
const QString service = QStringLiteral("org.freedesktop.login1");
const QString path = QStringLiteral("/org/freedesktop/login1");
const QString interface = QStringLiteral("org.freedesktop.login1.Manager");
const QString signalName = QStringLiteral("PrepareForSleep");
} // namespace

LogindSleepSignalListener::LogindSleepSignalListener(
    QDBusConnection bus, std::shared_ptr<SleepWakeNotificationCenter> notificationCenter,
    QObject* parent)
    : QObject(parent), bus_(std::move(bus)), notificationCenter_(std::move(notificationCenter)),
      ownerWatcher_(service, bus_, QDBusServiceWatcher::WatchForOwnerChange) {
    isListening_ = bus_.isConnected() && bus_.connect(service, path, interface, signalName, this,
                                                      SLOT(prepareForSleep(bool)));
    connect(&ownerWatcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &LogindSleepSignalListener::ownerChanged);
}

LogindSleepSignalListener::~LogindSleepSignalListener() {
    if (isListening_) {
        bus_.disconnect(service, path, interface, signalName, this, SLOT(prepareForSleep(bool)));
    }
}

void LogindSleepSignalListener::prepareForSleep(bool isGoingToSleep) {
    isAsleep_ = isGoingToSleep;
    notificationCenter_->post(isGoingToSleep ? SleepWakeNotification::willSleep
                                             : SleepWakeNotification::didWake);
}

void LogindSleepSignalListener::ownerChanged() {
    if (isAsleep_) {
        prepareForSleep(false);
    }
}
