#include "Core/CurrentTimeZone.h"

QTimeZone currentTimeZone() {
    return validOrUTC(QTimeZone::systemTimeZone());
}

QTimeZone validOrUTC(const QTimeZone& zone) {
    return zone.isValid() ? zone : QTimeZone::utc();
}
