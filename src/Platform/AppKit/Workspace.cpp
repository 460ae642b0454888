#include "Platform/AppKit/Workspace.h"

#include <QDesktopServices>

Workspace& Workspace::shared() {
    static Workspace workspace;
    return workspace;
}

bool Workspace::open(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}
