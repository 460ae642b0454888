#include "Support/PrivateDBusDaemon.h"

#include <QDeadlineTimer>

PrivateDBusDaemon::PrivateDBusDaemon() = default;

PrivateDBusDaemon::~PrivateDBusDaemon() {
    if (daemon_.state() != QProcess::NotRunning) {
        daemon_.terminate();
        if (!daemon_.waitForFinished(5'000)) {
            daemon_.kill();
            daemon_.waitForFinished(5'000);
        }
    }
}

QString PrivateDBusDaemon::start() {
    if (!folder_.isValid()) {
        return QStringLiteral("no temporary folder");
    }
    return start(QStringLiteral("unix:dir=") + folder_.path());
}

void PrivateDBusDaemon::kill() {
    daemon_.kill();
    daemon_.waitForFinished(5'000);
}

QString PrivateDBusDaemon::restart() {
    // The address less its ",guid=": the new daemon has a guid of its own.
    return start(address_.section(QLatin1Char(','), 0, 0));
}

QString PrivateDBusDaemon::start(const QString& listenAddress) {
    daemon_.setProgram(QStringLiteral("dbus-daemon"));
    daemon_.setArguments({QStringLiteral("--session"), QStringLiteral("--nofork"),
                          QStringLiteral("--print-address=1"),
                          QStringLiteral("--address=") + listenAddress});
    daemon_.setProcessChannelMode(QProcess::SeparateChannels);
    daemon_.start();
    if (!daemon_.waitForStarted(5'000)) {
        return QStringLiteral("dbus-daemon could not be started: ") + daemon_.errorString();
    }
    const QDeadlineTimer deadline(10'000);
    while (!daemon_.canReadLine()) {
        if (deadline.hasExpired() || !daemon_.waitForReadyRead(int(deadline.remainingTime()))) {
            return QStringLiteral("dbus-daemon printed no address: ") +
                   QString::fromLocal8Bit(daemon_.readAllStandardError());
        }
    }
    address_ = QString::fromLocal8Bit(daemon_.readLine()).trimmed();
    return address_.isEmpty() ? QStringLiteral("dbus-daemon printed an empty address") : QString();
}
