#pragma once

#include <QDir>

// Whether the kernel knows any Wi-Fi radio on this machine. Tests of what
// happens without Wi-Fi skip themselves where there is one.
inline bool machineHasWiFi() {
    return !QDir(QStringLiteral("/sys/class/ieee80211"))
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                .isEmpty();
}
