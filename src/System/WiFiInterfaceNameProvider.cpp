#include "System/WiFiInterfaceNameProvider.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool isWirelessInterface(const QDir& interfaceDirectory) {
    return QFileInfo::exists(interfaceDirectory.filePath(QStringLiteral("wireless"))) ||
           QFileInfo::exists(interfaceDirectory.filePath(QStringLiteral("phy80211")));
}

std::optional<QString> firstWirelessInterfaceName(const QString& netClassDirectory) {
    const QDir directory(netClassDirectory);
    const QStringList names =
        directory.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QString& name : names) {
        if (isWirelessInterface(QDir(directory.filePath(name)))) {
            return name;
        }
    }
    return std::nullopt;
}

} // namespace

WiFiInterfaceNameProvider sysfsWiFiInterfaceNameProvider(QString netClassDirectory) {
    return [netClassDirectory = std::move(netClassDirectory)] {
        return firstWirelessInterfaceName(netClassDirectory);
    };
}
