#include "Core/DiagnosticsExport/ISO8601InstantText.h"

#include <array>
#include <chrono>
#include <cstdio>

QString iso8601InstantText(Date instant) {
    using namespace std::chrono;
    const auto wholeSeconds = floor<seconds>(instant);
    const auto day = floor<days>(wholeSeconds);
    const year_month_day date(day);
    const hh_mm_ss timeOfDay(wholeSeconds - day);

    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%04d-%02u-%02uT%02d:%02d:%02dZ",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(timeOfDay.hours().count()),
                  static_cast<int>(timeOfDay.minutes().count()),
                  static_cast<int>(timeOfDay.seconds().count()));
    return QString::fromLatin1(buffer.data());
}
