#pragma once

#include "System/URLOpening.h"

// Opens URLs through the desktop's workspace, on the calling thread.
class WorkspaceURLOpener final : public URLOpening {
public:
    bool open(const QUrl& url) override;
};
