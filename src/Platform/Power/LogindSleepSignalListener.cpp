#include "Platform/Power/LogindSleepSignalListener.h"

#include "Platform/DBus/MessageBusProbe.h"

#include <algorithm>
#include <utility>

namespace {
const QString service = QStringLiteral("org.freedesktop.login1");
const QString path = QStringLiteral("/org/freedesktop/login1");
const QString interface = QStringLiteral("org.freedesktop.login1.Manager");
const QString signalName = QStringLiteral("PrepareForSleep");
// What libdbus tells its own connection when the bus goes away.
const QString localPath = QStringLiteral("/org/freedesktop/DBus/Local");
const QString localInterface = QStringLiteral("org.freedesktop.DBus.Local");
const QString disconnectedName = QStringLiteral("Disconnected");

// Connection names are shared process-wide: each connection gets a new one.
QString newConnectionName() {
    static int count = 0;
    return QStringLiteral("pelmor-logind-sleep-%1").arg(++count);
}
} // namespace

LogindSleepSignalListener::LogindSleepSignalListener(
    BusConnector connector, std::shared_ptr<SleepWakeNotificationCenter> notificationCenter,
    QObject* parent, std::chrono::milliseconds retryInterval, QString probedAddress)
    : QObject(parent), connector_(std::move(connector)),
      notificationCenter_(std::move(notificationCenter)), probedAddress_(std::move(probedAddress)),
      bus_(QString()) {
    ownerWatcher_.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    connect(&ownerWatcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &LogindSleepSignalListener::ownerChanged);
    retryTimer_.setInterval(retryInterval);
    connect(&retryTimer_, &QTimer::timeout, this, &LogindSleepSignalListener::joinBus);
    joinBus();
}

LogindSleepSignalListener::~LogindSleepSignalListener() {
    dropBus();
}

// The next look is due `retryInterval` after this one, unless a bus answers
// meanwhile; the probe gives up in time for it.
void LogindSleepSignalListener::joinBus() {
    dropBus();
    delete std::exchange(probe_, nullptr);
    if (probedAddress_.isEmpty()) {
        connectToBus();
        return;
    }
    retryTimer_.start();
    probe_ = new MessageBusProbe(
        probedAddress_,
        std::min(MessageBusProbe::defaultBound, retryTimer_.intervalAsDuration() / 2), this);
    connect(probe_, &MessageBusProbe::finished, this, [this](MessageBusProbe::Outcome outcome) {
        std::exchange(probe_, nullptr)->deleteLater();
        if (outcome == MessageBusProbe::Outcome::answers ||
            outcome == MessageBusProbe::Outcome::cannotTell) {
            connectToBus();
        }
    });
}

void LogindSleepSignalListener::connectToBus() {
    connectionName_ = newConnectionName();
    bus_ = connector_(connectionName_);
    // Subscribed before the check: a bus lost between the two is seen either
    // way.
    const bool hearsLoss =
        bus_.connect(QString(), localPath, localInterface, disconnectedName, this, SLOT(busLost()));
    isListening_ =
        hearsLoss && bus_.isConnected() &&
        bus_.connect(service, path, interface, signalName, this, SLOT(prepareForSleep(bool)));
    if (!isListening_) {
        if (!retryTimer_.isActive()) {
            retryTimer_.start();
        }
        return;
    }
    retryTimer_.stop();
    ownerWatcher_.setConnection(bus_);
    ownerWatcher_.setWatchedServices({service});
}

void LogindSleepSignalListener::dropBus() {
    if (connectionName_.isEmpty()) {
        return;
    }
    ownerWatcher_.setWatchedServices({});
    bus_.disconnect(service, path, interface, signalName, this, SLOT(prepareForSleep(bool)));
    bus_.disconnect(QString(), localPath, localInterface, disconnectedName, this, SLOT(busLost()));
    bus_ = QDBusConnection(QString());
    QDBusConnection::disconnectFromBus(std::exchange(connectionName_, QString()));
    isListening_ = false;
}

void LogindSleepSignalListener::prepareForSleep(bool isGoingToSleep) {
    isAsleep_ = isGoingToSleep;
    notificationCenter_->post(isGoingToSleep ? SleepWakeNotification::willSleep
                                             : SleepWakeNotification::didWake);
}

// A bus that went away takes logind's wake signal with it. A new bus is
// looked for at the next retry, not at once: the loss itself is why.
void LogindSleepSignalListener::busLost() {
    if (!isListening_) {
        return;
    }
    isListening_ = false;
    ownerChanged();
    retryTimer_.start();
}

void LogindSleepSignalListener::ownerChanged() {
    if (isAsleep_) {
        prepareForSleep(false);
    }
}
