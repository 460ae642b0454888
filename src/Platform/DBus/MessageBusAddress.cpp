#include "Platform/DBus/MessageBusAddress.h"

#include <cctype>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

namespace {

// A value in a bus address is escaped as %xx, all but a few characters.
QString escaped(const QByteArray& value) {
    QString escapedValue;
    for (const char character : value) {
        if (QByteArrayView("-_/.\\*").contains(character) ||
            std::isalnum(static_cast<unsigned char>(character))) {
            escapedValue += QLatin1Char(character);
        } else {
            escapedValue += QStringLiteral("%%%1").arg(static_cast<unsigned char>(character), 2, 16,
                                                       QLatin1Char('0'));
        }
    }
    return escapedValue;
}

} // namespace

namespace MessageBusAddress {

QString system() {
    const QString configured = qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS");
    return configured.isEmpty() ? QStringLiteral("unix:path=/run/dbus/system_bus_socket")
                                : configured;
}

// libdbus takes the runtime folder's "bus" only where it is a socket of the
// user's own.
QString session() {
    if (const QString configured = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
        !configured.isEmpty()) {
        return configured;
    }
    const QString runtimeFolder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtimeFolder.isEmpty()) {
        return {};
    }
    const QString userBus = runtimeFolder + QStringLiteral("/bus");
    struct stat found {};
    if (::stat(QFile::encodeName(userBus).constData(), &found) != 0 || !S_ISSOCK(found.st_mode) ||
        found.st_uid != ::getuid()) {
        return {};
    }
    return QStringLiteral("unix:path=") + escaped(QFile::encodeName(userBus));
}

} // namespace MessageBusAddress
