#include "Core/AppBuildMetadataDisplayInfo.h"

#include "Core/CurrentTimeZone.h"
#include "Core/IcuConversions.h"
#include "Platform/Bundle/BundleKeys.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <unicode/datefmt.h>
#include <unicode/timezone.h>

#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTime>
#include <QTimeZone>

namespace {

const QString notAvailable = QStringLiteral("n/a");

// A date to show: a calendar date names one day everywhere, so it is shown in
// UTC, where its midnight lies; an instant is shown in the current time zone.
struct DisplayDate {
    std::int64_t millisecondsSinceEpoch;
    bool isCalendarDate;
};

std::optional<QString> normalizedString(const std::optional<QString>& value) {
    if (!value) {
        return std::nullopt;
    }
    const QString trimmed = value->trimmed();
    if (trimmed.isEmpty() || trimmed.contains(QStringLiteral("$(")) || trimmed == notAvailable) {
        return std::nullopt;
    }
    return trimmed;
}

int capturedNumber(const QRegularExpressionMatch& match, int group) {
    return match.captured(group).toInt();
}

// "2025-03-14"
std::optional<DisplayDate> parseCalendarDate(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{4})-([0-9]{2})-([0-9]{2})$"));
    const auto match = pattern.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const QDate date(capturedNumber(match, 1), capturedNumber(match, 2), capturedNumber(match, 3));
    if (!date.isValid()) {
        return std::nullopt;
    }
    return DisplayDate{QDateTime(date, QTime(0, 0), QTimeZone::utc()).toMSecsSinceEpoch(), true};
}

// "2025-03-14T09:30:00Z", "2025-03-14T09:30:00.250+01:00"
std::optional<DisplayDate> parseInternetDateTime(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^([0-9]{4})-([0-9]{2})-([0-9]{2})T([0-9]{2}):([0-9]{2}):([0-9]{2})"
                       "(?:\\.([0-9]{1,9}))?(?:Z|([+-])([0-9]{2}):([0-9]{2}))$"));
    const auto match = pattern.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const QDate date(capturedNumber(match, 1), capturedNumber(match, 2), capturedNumber(match, 3));
    const QTime time(capturedNumber(match, 4), capturedNumber(match, 5), capturedNumber(match, 6),
                     match.captured(7).leftJustified(3, QLatin1Char('0')).left(3).toInt());
    const int offsetHours = capturedNumber(match, 9);
    const int offsetMinutes = capturedNumber(match, 10);
    if (!date.isValid() || !time.isValid() || offsetHours > 23 || offsetMinutes > 59) {
        return std::nullopt;
    }
    const int offsetSign = match.captured(8) == QLatin1String("-") ? -1 : 1;
    const std::int64_t offsetMilliseconds =
        offsetSign * (offsetHours * 3'600'000LL + offsetMinutes * 60'000LL);
    const std::int64_t wallClock = QDateTime(date, time, QTimeZone::utc()).toMSecsSinceEpoch();
    return DisplayDate{wallClock - offsetMilliseconds, false};
}

std::optional<DisplayDate> parseReleaseDate(const QString& text) {
    if (auto instant = parseInternetDateTime(text)) {
        return instant;
    }
    return parseCalendarDate(text);
}

std::optional<QString> longDateText(const DisplayDate& date, const QLocale& locale) {
    const std::unique_ptr<icu::DateFormat> formatter(icu::DateFormat::createDateInstance(
        icu::DateFormat::kLong, IcuConversions::toIcuLocale(locale)));
    if (!formatter) {
        return std::nullopt;
    }
    const auto instant = static_cast<UDate>(date.millisecondsSinceEpoch);
    formatter->adoptTimeZone(
        IcuConversions::toIcuTimeZone(
            date.isCalendarDate ? TimeZoneOffsets(QTimeZone::utc()) : currentTimeZone(), instant)
            .release());
    icu::UnicodeString text;
    formatter->format(instant, text);
    return IcuConversions::toQString(text);
}

std::optional<QString> formattedReleaseDate(const QString& text, const QLocale& locale) {
    const auto date = parseReleaseDate(text);
    return date ? longDateText(*date, locale) : std::nullopt;
}

std::optional<QString> releaseDateFromExecutableTimestamp(const BundleInfo& bundle,
                                                          const QLocale& locale) {
    if (!bundle.executablePath()) {
        return std::nullopt;
    }
    const QFileInfo executable(*bundle.executablePath());
    const QDateTime modified = executable.exists() ? executable.lastModified() : QDateTime();
    if (!modified.isValid()) {
        return std::nullopt;
    }
    return longDateText(DisplayDate{modified.toMSecsSinceEpoch(), false}, locale);
}

} // namespace

AppBuildMetadataDisplayInfo AppBuildMetadataDisplayInfo::fromBundle(const BundleInfo& bundle,
                                                                    const QLocale& locale) {
    const auto shortVersion = normalizedString(bundle.value(BundleKeys::shortVersion));
    const auto buildNumber = normalizedString(bundle.value(BundleKeys::buildNumber));
    const auto buildID = normalizedString(bundle.value(BundleKeys::buildID));
    const auto releaseDate = normalizedString(bundle.value(BundleKeys::releaseDate));

    AppBuildMetadataDisplayInfo info;
    info.version = QStringLiteral("v%1 (%2)")
                       .arg(shortVersion.value_or(QStringLiteral("0.0.1")),
                            buildNumber.value_or(QStringLiteral("1")));
    info.buildID = buildID.value_or(notAvailable);
    if (releaseDate) {
        info.releaseDate = formattedReleaseDate(*releaseDate, locale).value_or(*releaseDate);
    } else {
        info.releaseDate =
            releaseDateFromExecutableTimestamp(bundle, locale).value_or(notAvailable);
    }
    return info;
}
