#include "Core/TimeZoneOffsets.h"

#include <chrono>

namespace {

qint64 millisecondsSinceEpoch(Date instant) {
    return std::chrono::floor<std::chrono::milliseconds>(instant.time_since_epoch()).count();
}

} // namespace

TimeZoneOffsets::TimeZoneOffsets(const QTimeZone& zone)
    : reading_([zone = zone.isValid() ? zone : QTimeZone::utc()](Date instant) {
          return zone.offsetFromUtc(
              QDateTime::fromMSecsSinceEpoch(millisecondsSinceEpoch(instant), QTimeZone::utc()));
      }) {}

TimeZoneOffsets::TimeZoneOffsets(Reading reading) : reading_(std::move(reading)) {}

int TimeZoneOffsets::secondsAheadOfUtc(Date instant) const {
    return reading_(instant);
}

QDateTime TimeZoneOffsets::wallClock(Date instant) const {
    // A plain offset, not a QTimeZone, which takes none beyond 14 hours.
    return QDateTime::fromMSecsSinceEpoch(millisecondsSinceEpoch(instant), Qt::OffsetFromUTC,
                                          secondsAheadOfUtc(instant));
}
