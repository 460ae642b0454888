#include "Platform/AppKit/Tray/StatusItemClickFilter.h"

bool StatusItemClickFilter::accepts(Report report, Clock::time_point now) {
    if (report == Report::doubleClick) {
        return false;
    }
    if (lastAccepted_ && now - *lastAccepted_ < doubleClickInterval_) {
        return false;
    }
    lastAccepted_ = now;
    return true;
}
