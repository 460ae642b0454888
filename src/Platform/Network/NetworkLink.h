#pragma once

#include <QString>

// A network interface as the kernel's routing layer lists it.
struct NetworkLink {
    int index = 0;
    QString name;
    bool isUp = false;      // administratively up
    bool isRunning = false; // has its carrier (operationally up)
    bool isLoopback = false;

    bool operator==(const NetworkLink&) const = default;
};
