#include "Core/DiagnosticsExport/ISO8601InstantText.h"

#include <array>
#include <chrono>
#include <cstdio>

#include <QRegularExpression>

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

std::optional<Date> instantFromISO8601Text(const QString& text) {
    using namespace std::chrono;
    static const QRegularExpression form(
        QStringLiteral(R"(^([0-9]{4})-([0-9]{2})-([0-9]{2})T([0-9]{2}):([0-9]{2}):([0-9]{2})Z$)"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const auto number = [&match](int group) { return match.capturedView(group).toInt(); };
    const year_month_day date{year(number(1)), month(static_cast<unsigned>(number(2))),
                              day(static_cast<unsigned>(number(3)))};
    const int hour = number(4);
    const int minute = number(5);
    const int second = number(6);
    if (!date.ok() || hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    return Date(sys_days(date)) + hours(hour) + minutes(minute) + seconds(second);
}
