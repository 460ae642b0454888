#include "Core/AppBuildMetadataDisplayInfo.h"

#include "Platform/Bundle/BundleKeys.h"
#include "Support/QStringPrinter.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <unicode/timezone.h>

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

using namespace Qt::Literals::StringLiterals;

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);

BundleInfo bundleWith(BundleInfo::Dictionary values,
                      std::optional<QString> executablePath = std::nullopt) {
    return BundleInfo(std::move(values), std::move(executablePath));
}

BundleInfo bundleReleasedOn(const QString& releaseDate) {
    return bundleWith({{BundleKeys::releaseDate, releaseDate}});
}

QString releaseDateShown(const QString& releaseDate, const QLocale& locale = english) {
    return AppBuildMetadataDisplayInfo::fromBundle(bundleReleasedOn(releaseDate), locale)
        .releaseDate;
}

// Sets the process's time zone (the C library's and ICU's) for its lifetime.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone)
        : previousICUZone_(icu::TimeZone::createDefault()), previousTZ_(qEnvironmentVariable("TZ")),
          hadTZ_(qEnvironmentVariableIsSet("TZ")) {
        qputenv("TZ", zone);
        tzset();
        icu::TimeZone::adoptDefault(icu::TimeZone::createTimeZone(zone));
    }
    ~ScopedTimeZone() {
        if (hadTZ_) {
            qputenv("TZ", previousTZ_.toUtf8());
        } else {
            qunsetenv("TZ");
        }
        tzset();
        icu::TimeZone::adoptDefault(previousICUZone_.release());
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::unique_ptr<icu::TimeZone> previousICUZone_;
    QString previousTZ_;
    bool hadTZ_;
};

} // namespace

// Each test pins the time zone, so dates do not depend on the machine's.
class AppBuildMetadataDisplayInfoTest : public testing::Test {
protected:
    ScopedTimeZone utc{"UTC"};
};

TEST_F(AppBuildMetadataDisplayInfoTest, ShowsTheBundleValues) {
    const auto info = AppBuildMetadataDisplayInfo::fromBundle(
        bundleWith({{BundleKeys::shortVersion, u"1.4.2"_s},
                    {BundleKeys::buildNumber, u"57"_s},
                    {BundleKeys::buildID, u"abc1234"_s},
                    {BundleKeys::releaseDate, u"2025-03-14"_s}}),
        english);
    EXPECT_EQ(info, (AppBuildMetadataDisplayInfo{.version = u"v1.4.2 (57)"_s,
                                                 .buildID = u"abc1234"_s,
                                                 .releaseDate = u"March 14, 2025"_s}));
}

TEST_F(AppBuildMetadataDisplayInfoTest, ValuesAreTrimmed) {
    const auto info = AppBuildMetadataDisplayInfo::fromBundle(
        bundleWith({{BundleKeys::shortVersion, u" 1.4.2\n"_s},
                    {BundleKeys::buildNumber, u"\t57 "_s},
                    {BundleKeys::buildID, u"  abc1234 "_s},
                    {BundleKeys::releaseDate, u"\n2025-03-14  "_s}}),
        english);
    EXPECT_EQ(info.version, u"v1.4.2 (57)"_s);
    EXPECT_EQ(info.buildID, u"abc1234"_s);
    EXPECT_EQ(info.releaseDate, u"March 14, 2025"_s);
}

TEST_F(AppBuildMetadataDisplayInfoTest, WithoutAnyKeyEveryLineFallsBack) {
    const auto info = AppBuildMetadataDisplayInfo::fromBundle(bundleWith({}), english);
    EXPECT_EQ(info, (AppBuildMetadataDisplayInfo{
                        .version = u"v0.0.1 (1)"_s, .buildID = u"n/a"_s, .releaseDate = u"n/a"_s}));
}

TEST_F(AppBuildMetadataDisplayInfoTest, UnexpandedPlaceholdersCountAsMissing) {
    const auto info = AppBuildMetadataDisplayInfo::fromBundle(
        bundleWith({{BundleKeys::shortVersion, u"$(MARKETING_VERSION)"_s},
                    {BundleKeys::buildNumber, u"1.0-$(BUILD)"_s},
                    {BundleKeys::buildID, u"$(GIT_REVISION)"_s},
                    {BundleKeys::releaseDate, u"$(RELEASE_DATE)"_s}}),
        english);
    EXPECT_EQ(info, (AppBuildMetadataDisplayInfo{
                        .version = u"v0.0.1 (1)"_s, .buildID = u"n/a"_s, .releaseDate = u"n/a"_s}));
}

TEST_F(AppBuildMetadataDisplayInfoTest, BlankValuesAndNotAvailableCountAsMissing) {
    for (const QString& value : {u"n/a"_s, u"   "_s, QString(), u"\n"_s}) {
        const auto info =
            AppBuildMetadataDisplayInfo::fromBundle(bundleWith({{BundleKeys::shortVersion, value},
                                                                {BundleKeys::buildID, value},
                                                                {BundleKeys::releaseDate, value}}),
                                                    english);
        EXPECT_EQ(info.version, u"v0.0.1 (1)"_s) << value.toStdString();
        EXPECT_EQ(info.buildID, u"n/a"_s) << value.toStdString();
        EXPECT_EQ(info.releaseDate, u"n/a"_s) << value.toStdString();
    }
    // Only the exact text counts.
    EXPECT_EQ(AppBuildMetadataDisplayInfo::fromBundle(bundleWith({{BundleKeys::buildID, u"N/A"_s}}))
                  .buildID,
              u"N/A"_s);
}

TEST_F(AppBuildMetadataDisplayInfoTest, ThePlaceholderMarkersOfTheVersionAreNotSubstitutedAgain) {
    const auto info = AppBuildMetadataDisplayInfo::fromBundle(
        bundleWith({{BundleKeys::shortVersion, u"%2"_s}, {BundleKeys::buildNumber, u"%1"_s}}));
    EXPECT_EQ(info.version, u"v%2 (%1)"_s);
}

TEST_F(AppBuildMetadataDisplayInfoTest,
       ReadsInternetDateTimesWithAndWithoutFractionsAndPlainDates) {
    EXPECT_EQ(releaseDateShown(u"2025-03-14T09:30:00.250+01:00"_s), u"March 14, 2025"_s);
    EXPECT_EQ(releaseDateShown(u"2025-03-14T09:30:00Z"_s), u"March 14, 2025"_s);
    EXPECT_EQ(releaseDateShown(u"2025-03-14T23:30:00-05:00"_s), u"March 15, 2025"_s);
    EXPECT_EQ(releaseDateShown(u"2025-03-14"_s), u"March 14, 2025"_s);
}

TEST_F(AppBuildMetadataDisplayInfoTest, TheLongDateFollowsTheLocale) {
    EXPECT_EQ(releaseDateShown(u"2025-03-14"_s, german), u"14. März 2025"_s);
    EXPECT_EQ(releaseDateShown(u"2025-03-14T09:30:00Z"_s, german), u"14. März 2025"_s);
}

TEST_F(AppBuildMetadataDisplayInfoTest, AnUnreadableReleaseDateIsShownAsWritten) {
    EXPECT_EQ(releaseDateShown(u"  next week "_s), u"next week"_s);
    EXPECT_EQ(releaseDateShown(u"2025-02-30"_s), u"2025-02-30"_s);
    EXPECT_EQ(releaseDateShown(u"2025-03-14T24:30:00Z"_s), u"2025-03-14T24:30:00Z"_s);
    EXPECT_EQ(releaseDateShown(u"2025-03-14T09:30:00"_s), u"2025-03-14T09:30:00"_s);
    EXPECT_EQ(releaseDateShown(u"14.03.2025"_s), u"14.03.2025"_s);
}

TEST_F(AppBuildMetadataDisplayInfoTest, ADateOnlyReleaseIsTheSameDayInEveryTimeZone) {
    for (const char* zone : {"America/Los_Angeles", "Pacific/Pago_Pago", "Pacific/Kiritimati"}) {
        const ScopedTimeZone local(zone);
        EXPECT_EQ(releaseDateShown(u"2025-03-14"_s), u"March 14, 2025"_s) << zone;
        EXPECT_EQ(releaseDateShown(u"2025-03-14"_s, german), u"14. März 2025"_s) << zone;
    }
}

TEST_F(AppBuildMetadataDisplayInfoTest, AReleaseWithATimeOfDayIsShownOnTheLocalDay) {
    {
        const ScopedTimeZone local("America/Los_Angeles");
        EXPECT_EQ(releaseDateShown(u"2025-03-14T03:00:00Z"_s), u"March 13, 2025"_s);
    }
    {
        const ScopedTimeZone local("Asia/Tokyo");
        EXPECT_EQ(releaseDateShown(u"2025-03-14T20:00:00Z"_s), u"March 15, 2025"_s);
    }
}

TEST_F(AppBuildMetadataDisplayInfoTest, WithoutAReleaseDateTheExecutablesModificationDateIsShown) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString executable = folder.filePath(u"pelmor"_s);
    QFile file(executable);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2024, 7, 4), QTime(12, 0), QTimeZone::utc()),
                                 QFileDevice::FileModificationTime));
    file.close();

    EXPECT_EQ(
        AppBuildMetadataDisplayInfo::fromBundle(bundleWith({}, executable), english).releaseDate,
        u"July 4, 2024"_s);
    EXPECT_EQ(AppBuildMetadataDisplayInfo::fromBundle(
                  bundleWith({{BundleKeys::releaseDate, u"$(DATE)"_s}}, executable), german)
                  .releaseDate,
              u"4. Juli 2024"_s);
    EXPECT_EQ(AppBuildMetadataDisplayInfo::fromBundle(bundleWith({}, folder.filePath(u"missing"_s)),
                                                      english)
                  .releaseDate,
              u"n/a"_s);
}
