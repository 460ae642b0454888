#include "Support/PrivateSessionBus.h"

#include <atomic>

#include <QFile>

namespace {

QByteArray configuration(const QString& socketPath) {
    return QByteArrayLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus "
                             "Configuration 1.0//EN\"\n"
                             " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                             "<busconfig>\n"
                             "  <type>session</type>\n"
                             "  <listen>unix:path=") +
           socketPath.toUtf8() +
           QByteArrayLiteral("</listen>\n"
                             "  <auth>EXTERNAL</auth>\n"
                             "  <policy context=\"default\">\n"
                             "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                             "    <allow eavesdrop=\"true\"/>\n"
                             "    <allow own=\"*\"/>\n"
                             "  </policy>\n"
                             "</busconfig>\n");
}

QString uniqueConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("pelmor-test-bus-%1").arg(++counter);
}

} // namespace

PrivateSessionBus::PrivateSessionBus() {
    if (!folder_.isValid()) {
        return;
    }
    const QString configurationPath = folder_.filePath(QStringLiteral("bus.conf"));
    QFile file(configurationPath);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(configuration(folder_.filePath(QStringLiteral("bus")))) < 0) {
        return;
    }
    file.close();
    daemon_.setProgram(QStringLiteral("dbus-daemon"));
    daemon_.setArguments({QStringLiteral("--config-file=") + configurationPath,
                          QStringLiteral("--nofork"), QStringLiteral("--print-address")});
    daemon_.start();
    // The daemon prints its address once it listens.
    while (daemon_.waitForReadyRead(5'000)) {
        if (daemon_.canReadLine()) {
            address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
            break;
        }
    }
}

PrivateSessionBus::~PrivateSessionBus() {
    for (const QString& name : connectionNames_) {
        QDBusConnection::disconnectFromBus(name);
    }
    if (daemon_.state() != QProcess::NotRunning) {
        daemon_.terminate();
        if (!daemon_.waitForFinished(5'000)) {
            daemon_.kill();
            daemon_.waitForFinished(5'000);
        }
    }
}

QDBusConnection PrivateSessionBus::connect() {
    const QString name = uniqueConnectionName();
    connectionNames_.append(name);
    return QDBusConnection::connectToBus(address_, name);
}
