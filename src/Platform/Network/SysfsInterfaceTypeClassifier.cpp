#include "Platform/Network/SysfsInterfaceTypeClassifier.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr int etherHardwareType = 1; // ARPHRD_ETHER

QByteArray readSmallFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.read(4096);
}

// Kernel interface names never hold "/" and are never "." or "..", but the
// name comes from outside: it must not lead anywhere else in the tree.
bool isSafeName(const QString& name) {
    return !name.isEmpty() && !name.contains(u'/') && name != QStringLiteral(".") &&
           name != QStringLiteral("..");
}

bool exists(const QString& path) {
    // Symbolic links count even when they dangle, as sysfs links may.
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

NetworkInterfaceType SysfsInterfaceTypeClassifier::classify(const QString& interfaceName) const {
    if (!isSafeName(interfaceName)) {
        return NetworkInterfaceType::other;
    }
    const QString folder = sysfsRoot_ + QStringLiteral("/class/net/") + interfaceName;
    if (isWiFi(folder)) {
        return NetworkInterfaceType::wifi;
    }
    if (isCellular(interfaceName, folder)) {
        return NetworkInterfaceType::cellular;
    }
    if (isWiredEthernet(folder)) {
        return NetworkInterfaceType::wiredEthernet;
    }
    return NetworkInterfaceType::other;
}

bool SysfsInterfaceTypeClassifier::isWiFi(const QString& folder) const {
    return exists(folder + QStringLiteral("/wireless")) ||
           exists(folder + QStringLiteral("/phy80211"));
}

bool SysfsInterfaceTypeClassifier::isCellular(const QString& interfaceName,
                                              const QString& folder) const {
    if (interfaceName.startsWith(QStringLiteral("wwan"))) {
        return true;
    }
    const QList<QByteArray> lines = readSmallFile(folder + QStringLiteral("/uevent")).split('\n');
    return lines.contains(QByteArrayLiteral("DEVTYPE=wwan"));
}

bool SysfsInterfaceTypeClassifier::isWiredEthernet(const QString& folder) const {
    bool isNumber = false;
    const int type = readSmallFile(folder + QStringLiteral("/type")).trimmed().toInt(&isNumber);
    return isNumber && type == etherHardwareType && exists(folder + QStringLiteral("/device"));
}
