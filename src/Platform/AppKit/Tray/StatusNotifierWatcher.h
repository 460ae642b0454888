#pragma once

#include <QString>

// Where the desktop's StatusNotifier watcher serves on the session bus.
namespace StatusNotifierWatcher {

inline QString service() {
    return QStringLiteral("org.kde.StatusNotifierWatcher");
}

inline QString path() {
    return QStringLiteral("/StatusNotifierWatcher");
}

} // namespace StatusNotifierWatcher
