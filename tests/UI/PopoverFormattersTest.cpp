#include "UI/PopoverFormatters.h"

#include "Support/QStringPrinter.h"

#include <gtest/gtest.h>
#include <limits>

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
