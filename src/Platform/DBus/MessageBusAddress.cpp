#include "Platform/DBus/MessageBusAddress.h"

#include "Platform/DBus/MessageBusAddressEntry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

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
    return QStringLiteral("unix:path=") +
           MessageBusAddressEntry::escaped(QFile::encodeName(userBus));
}

} // namespace MessageBusAddress
