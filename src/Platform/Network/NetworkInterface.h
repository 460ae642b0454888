#pragma once

#include "Platform/Network/NetworkInterfaceType.h"

#include <QString>

// One interface a path uses.
struct NetworkInterface {
    QString name;
    NetworkInterfaceType type;

    bool operator==(const NetworkInterface&) const = default;
};
