#include "System/WorkspaceURLOpener.h"

#include "Platform/AppKit/Workspace.h"

bool WorkspaceURLOpener::open(const QUrl& url) {
    return Workspace::shared().open(url);
}
