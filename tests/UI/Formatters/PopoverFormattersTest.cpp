#include "UI/Formatters/PopoverFormatters.h"

#include "Support/QStringPrinter.h"

#include <chrono>
#include <gtest/gtest.h>
#include <limits>

#include <QDateTime>

using namespace Qt::Literals::StringLiterals;
using PopoverFormatters::decimalValue;
using PopoverFormatters::percentValue;

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);
const QString dash = u"\u2014"_s;

// Sets the default locale for its lifetime.
class ScopedDefaultLocale {
public:
    explicit ScopedDefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~ScopedDefaultLocale() { QLocale::setDefault(previous_); }
    ScopedDefaultLocale(const ScopedDefaultLocale&) = delete;
    ScopedDefaultLocale& operator=(const ScopedDefaultLocale&) = delete;

private:
    QLocale previous_;
};

} // namespace

TEST(PopoverFormattersTest, AMissingValueIsADashAlone) {
    EXPECT_EQ(decimalValue(std::nullopt, u"ms"_s, 1, english), dash);
    EXPECT_EQ(percentValue(std::nullopt, 0, english), dash);
}

TEST(PopoverFormattersTest, AValueThatIsNotFiniteIsADashAlone) {
    for (const double value :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(decimalValue(value, u"ms"_s, 1, english), dash);
        EXPECT_EQ(percentValue(value, 0, german), dash);
    }
}

TEST(PopoverFormattersTest, DecimalValueHasExactlyThePrecisionThenABlankAndTheUnit) {
    EXPECT_EQ(decimalValue(12.345, u"ms"_s, 1, english), u"12.3 ms"_s);
    EXPECT_EQ(decimalValue(5, u"ms"_s, 1, english), u"5.0 ms"_s);
    EXPECT_EQ(decimalValue(5.96, u"ms"_s, 0, english), u"6 ms"_s);
    EXPECT_EQ(decimalValue(0.5, u"Mbps"_s, 3, english), u"0.500 Mbps"_s);
    EXPECT_EQ(decimalValue(-70, u"dBm"_s, 0, english), u"-70 dBm"_s);
    EXPECT_EQ(decimalValue(1234567.25, u"ms"_s, 1, english), u"1,234,567.2 ms"_s);
}

TEST(PopoverFormattersTest, ACommaDecimalLocaleUsesItsSeparators) {
    EXPECT_EQ(decimalValue(12.345, u"ms"_s, 1, german), u"12,3 ms"_s);
    EXPECT_EQ(decimalValue(5, u"ms"_s, 1, german), u"5,0 ms"_s);
    EXPECT_EQ(decimalValue(1234.5, u"Mbps"_s, 1, german), u"1.234,5 Mbps"_s);
    EXPECT_EQ(percentValue(12.5, 1, german), u"12,5%"_s);
}

TEST(PopoverFormattersTest, TiesRoundToTheEvenNeighbour) {
    EXPECT_EQ(percentValue(12.5, 0, english), u"12%"_s);
    EXPECT_EQ(percentValue(13.5, 0, english), u"14%"_s);
    EXPECT_EQ(percentValue(0.5, 0, english), u"0%"_s);
    EXPECT_EQ(decimalValue(0.125, u"ms"_s, 2, english), u"0.12 ms"_s);
    EXPECT_EQ(decimalValue(0.375, u"ms"_s, 2, english), u"0.38 ms"_s);
    EXPECT_EQ(decimalValue(2.25, u"ms"_s, 1, german), u"2,2 ms"_s);
    EXPECT_EQ(decimalValue(2.35, u"ms"_s, 1, german), u"2,4 ms"_s);
}

TEST(PopoverFormattersTest, PercentValueIsNotScaledAndHasNoBlank) {
    EXPECT_EQ(percentValue(0, 0, english), u"0%"_s);
    EXPECT_EQ(percentValue(99.96, 1, english), u"100.0%"_s);
    EXPECT_EQ(percentValue(0.25, 2, english), u"0.25%"_s);
}

TEST(PopoverFormattersTest, ANegativePrecisionGivesWholeNumbers) {
    EXPECT_EQ(decimalValue(12.7, u"ms"_s, -2, english), u"13 ms"_s);
}

TEST(PopoverFormattersTest, WithoutALocaleTheCurrentOneIsUsedAsItChanges) {
    {
        const ScopedDefaultLocale locale(german);
        EXPECT_EQ(decimalValue(1.5, u"ms"_s, 1), u"1,5 ms"_s);
    }
    {
        const ScopedDefaultLocale locale(english);
        EXPECT_EQ(decimalValue(1.5, u"ms"_s, 1), u"1.5 ms"_s);
        EXPECT_EQ(percentValue(1.5, 1), u"1.5%"_s);
    }
}

namespace {

using PopoverFormatters::plainNumber;
using PopoverFormatters::timeOfDay;
using PopoverFormatters::TimeOfDayStyle;
using PopoverFormatters::timeOrDateAndTime;

const QLocale spanish(QLocale::Spanish, QLocale::Spain);
const QTimeZone utc("UTC");
const QTimeZone newYork("America/New_York");

Date at(const QString& isoTime) {
    return Date(std::chrono::milliseconds(
        QDateTime::fromString(isoTime, Qt::ISODateWithMs).toMSecsSinceEpoch()));
}

} // namespace

TEST(PopoverFormattersTest, PlainNumberKeepsItsFractionDigitsWithinTheBoundsRoundingTiesToEven) {
    struct Case {
        double value;
        int minimum;
        int maximum;
        QString expected;
    };
    const Case cases[] = {
        {3, 0, 0, u"3"_s},           {3, 1, 2, u"3.0"_s},      {1.10, 0, 2, u"1.1"_s},
        {3.14159, 0, 2, u"3.14"_s},  {2.5, 0, 0, u"2"_s},      {3.5, 0, 0, u"4"_s},
        {-2.5, 0, 0, u"-2"_s},       {0.125, 0, 2, u"0.12"_s}, {0.375, 0, 2, u"0.38"_s},
        {1.23456, 3, 1, u"1.235"_s}, // a maximum below the minimum is raised to it
        {0.5, -4, 1, u"0.5"_s},
    };
    for (const Case& example : cases) {
        EXPECT_EQ(plainNumber(example.value, example.minimum, example.maximum, english),
                  example.expected)
            << example.value << " " << example.minimum << "..." << example.maximum;
    }
}

TEST(PopoverFormattersTest, PlainNumberGroupsAndSeparatesAsTheLocaleDoes) {
    EXPECT_EQ(plainNumber(1000, 0, 0, english), u"1,000"_s);
    EXPECT_EQ(plainNumber(1234567.891, 0, 1, english), u"1,234,567.9"_s);
    EXPECT_EQ(plainNumber(1234.5, 1, 1, german), u"1.234,5"_s);
    EXPECT_EQ(plainNumber(0.5, 0, 2, german), u"0,5"_s);
    // Spanish groups only from five digits on.
    EXPECT_EQ(plainNumber(1000, 0, 0, spanish), u"1000"_s);
    EXPECT_EQ(plainNumber(10000, 0, 0, spanish), u"10.000"_s);
    const ScopedDefaultLocale defaultLocale(german);
    EXPECT_EQ(plainNumber(2.25, 1, 1), u"2,2"_s);
}

TEST(PopoverFormattersTest, PlainNumberShowsANonFiniteValueAsADash) {
    for (const double value :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(plainNumber(value, 0, 2, english), dash);
    }
}

TEST(PopoverFormattersTest, TimeOfDayIsInTheLocaleStyleAndTheTimeZone) {
    struct Case {
        QLocale locale;
        QTimeZone zone;
        QString shortTime;
        QString mediumTime;
    };
    const Case cases[] = {
        {english, utc, u"9:41\u202FAM"_s, u"9:41:27\u202FAM"_s},
        {german, utc, u"09:41"_s, u"09:41:27"_s},
        {english, newYork, u"4:41\u202FAM"_s, u"4:41:27\u202FAM"_s},
        {german, newYork, u"04:41"_s, u"04:41:27"_s},
    };
    const Date instant = at(u"2026-12-07T09:41:27.400Z"_s);
    for (const Case& example : cases) {
        SCOPED_TRACE(example.locale.name().toStdString() + " " + example.zone.id().toStdString());
        EXPECT_EQ(timeOfDay(instant, TimeOfDayStyle::shortStyle, example.locale, example.zone),
                  example.shortTime);
        EXPECT_EQ(timeOfDay(instant, TimeOfDayStyle::mediumStyle, example.locale, example.zone),
                  example.mediumTime);
    }
}

TEST(PopoverFormattersTest, TimeOrDateAndTimeAddsTheDateOnlyForAnotherDayInTheTimeZone) {
    struct Case {
        QString instant;
        QString now;
        QLocale locale;
        QTimeZone zone;
        QString expected;
        TimeOfDayStyle style = TimeOfDayStyle::shortStyle;
    };
    const Case cases[] = {
        // Earlier today.
        {u"2026-12-07T09:41:00Z"_s, u"2026-12-07T20:00:00Z"_s, english, utc, u"9:41\u202FAM"_s},
        {u"2026-12-07T09:41:00Z"_s, u"2026-12-07T20:00:00Z"_s, german, utc, u"09:41"_s},
        // Yesterday, fewer than 24 hours ago.
        {u"2026-12-07T09:41:00Z"_s, u"2026-12-08T08:00:00Z"_s, english, utc,
         u"12/7/26, 9:41\u202FAM"_s},
        {u"2026-12-07T09:41:00Z"_s, u"2026-12-08T08:00:00Z"_s, german, utc, u"07.12.26, 09:41"_s},
        // Across midnight in one zone and not in the other.
        {u"2026-12-07T23:30:00Z"_s, u"2026-12-08T00:30:00Z"_s, english, utc,
         u"12/7/26, 11:30\u202FPM"_s},
        {u"2026-12-07T23:30:00Z"_s, u"2026-12-08T00:30:00Z"_s, english, newYork, u"6:30\u202FPM"_s},
        {u"2026-12-07T04:30:00Z"_s, u"2026-12-07T05:30:00Z"_s, english, utc, u"4:30\u202FAM"_s},
        {u"2026-12-07T04:30:00Z"_s, u"2026-12-07T05:30:00Z"_s, german, newYork,
         u"06.12.26, 23:30"_s},
        // The same day a year earlier is another day.
        {u"2025-12-07T09:41:00Z"_s, u"2026-12-07T09:41:00Z"_s, english, utc,
         u"12/7/25, 9:41\u202FAM"_s},
        // With seconds, today and another day, the next one too.
        {u"2026-12-07T09:41:27Z"_s, u"2026-12-07T20:00:00Z"_s, english, utc, u"9:41:27\u202FAM"_s,
         TimeOfDayStyle::mediumStyle},
        {u"2026-12-07T09:41:27Z"_s, u"2026-12-08T00:00:00Z"_s, german, utc, u"07.12.26, 09:41:27"_s,
         TimeOfDayStyle::mediumStyle},
        {u"2026-12-08T00:00:01Z"_s, u"2026-12-07T23:59:59Z"_s, english, utc,
         u"12/8/26, 12:00:01\u202FAM"_s, TimeOfDayStyle::mediumStyle},
    };
    for (const Case& example : cases) {
        EXPECT_EQ(timeOrDateAndTime(at(example.instant), at(example.now), example.locale,
                                    example.zone, example.style),
                  example.expected)
            << example.instant.toStdString() << " at " << example.now.toStdString() << " in "
            << example.zone.id().toStdString();
    }
}
