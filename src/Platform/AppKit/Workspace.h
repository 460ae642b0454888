#pragma once

#include <QUrl>

// The desktop's workspace: opens URLs in the user's preferred applications.
class Workspace {
public:
    static Workspace& shared();

    // Whether the desktop took the URL; false for an invalid one. Schemes
    // with a handler installed in the process go to that handler.
    bool open(const QUrl& url);
};
