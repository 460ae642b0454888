#pragma once

#include "Platform/Network/NetworkInterfaceType.h"

#include <QString>

// Tells an interface's kind from its entry under <root>/class/net/<name>:
// - Wi-Fi: a `wireless` or `phy80211` entry;
// - cellular: a name starting with "wwan", or DEVTYPE=wwan in `uevent`;
// - wired Ethernet: type 1 (ARPHRD_ETHER) backed by a `device`;
// - other: everything else (tunnels, bridges, virtual Ethernet, interfaces
//   the folder does not list).
class SysfsInterfaceTypeClassifier {
public:
    explicit SysfsInterfaceTypeClassifier(QString sysfsRoot = QStringLiteral("/sys"))
        : sysfsRoot_(std::move(sysfsRoot)) {}

    NetworkInterfaceType classify(const QString& interfaceName) const;

    const QString& sysfsRoot() const { return sysfsRoot_; }

private:
    bool isWiFi(const QString& folder) const;
    bool isCellular(const QString& interfaceName, const QString& folder) const;
    bool isWiredEthernet(const QString& folder) const;

    QString sysfsRoot_;
};
