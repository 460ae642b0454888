#pragma once

#include "Core/AppUpdateModels.h"
#include "Platform/Async/Task.h"

// Asks whether a build newer than the running one is offered.
class AppUpdateChecking {
public:
    virtual ~AppUpdateChecking() = default;

    // Never throws: every problem is `checkFailed`.
    virtual Async::Task<UpdateCheckResult> checkForUpdate() = 0;
};
