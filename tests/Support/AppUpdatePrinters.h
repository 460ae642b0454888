#pragma once

#include "Core/AppUpdateModels.h"

#include <ostream>

// Lets GoogleTest show update values readably in failure messages.
inline void PrintTo(const AvailableUpdate& update, std::ostream* stream) {
    *stream << update.toJSON().toStdString();
}

inline void PrintTo(const UpdateCheckResult& result, std::ostream* stream) {
    switch (result.kind()) {
    case UpdateCheckResult::Kind::updateAvailable:
        *stream << "updateAvailable(" << result.update()->toJSON().toStdString() << ")";
        return;
    case UpdateCheckResult::Kind::upToDate:
        *stream << "upToDate";
        return;
    case UpdateCheckResult::Kind::checkFailed:
        *stream << "checkFailed";
        return;
    }
}
