#include "UI/SpeedTest/SpeedTestBlockModel.h"

#include "Support/QStringPrinter.h"
#include "UI/Ground/NamedColors.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);
const QColor placeholderWhite(255, 255, 255, 115);

} // namespace

TEST(SpeedTestBlockModelTest, GradeLettersColoursAndWordings) {
    const struct {
        std::optional<BufferbloatGrade> grade;
        QString letter;
        QColor color;
        QString wording;
    } cases[] = {
        {BufferbloatGrade::a, u"A"_s, NamedColors::green, u"minimal bufferbloat"_s},
        {BufferbloatGrade::b, u"B"_s, NamedColors::green, u"minimal bufferbloat"_s},
        {BufferbloatGrade::c, u"C"_s, NamedColors::orange, u"noticeable bufferbloat"_s},
        {BufferbloatGrade::f, u"F"_s, NamedColors::red, u"severe bufferbloat"_s},
        {std::nullopt, u"\u2014"_s, placeholderWhite, {}},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(SpeedTestBlockModel::gradeLetter(testCase.grade), testCase.letter);
        EXPECT_EQ(SpeedTestBlockModel::gradeColor(testCase.grade), testCase.color)
            << testCase.letter.toStdString();
        if (testCase.grade) {
            EXPECT_EQ(SpeedTestBlockModel::gradeWording(*testCase.grade), testCase.wording);
        }
    }
}

TEST(SpeedTestBlockModelTest, RatioTextHasTwoFractionDigitsInTheLocale) {
    const struct {
        std::optional<double> ratio;
        QLocale locale;
        QString expected;
    } cases[] = {
        {1.0, english, u"1.00x baseline"_s},
        {2.5, english, u"2.50x baseline"_s},
        {1.234, english, u"1.23x baseline"_s},
        {1.5, english, u"1.50x baseline"_s},
        {1234.5, english, u"1,234.50x baseline"_s},
        {2.5, german, u"2,50x baseline"_s},
        {std::nullopt, english, u"ratio unavailable"_s},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(SpeedTestBlockModel::ratioText(testCase.ratio, testCase.locale),
                  testCase.expected);
    }
}

TEST(SpeedTestBlockModelTest, InsightMessages) {
    const struct {
        const char* name;
        QString phaseLabel;
        std::optional<double> baseline;
        std::optional<double> loaded;
        bool finalized;
        std::optional<BufferbloatGrade> grade;
        QLocale locale;
        QString expected;
    } cases[] = {
        {"graded", u"download"_s, 18.4, 42.6, false, BufferbloatGrade::b, english,
         u"Download lag under load: \u206818\u2069ms -> \u206843\u2069ms (grade B, minimal bufferbloat)."_s},
        {"severe", u"upload"_s, 10, 80, true, BufferbloatGrade::f, english,
         u"Upload lag under load: \u206810\u2069ms -> \u206880\u2069ms (grade F, severe bufferbloat)."_s},
        {"no grade", u"download"_s, 18.4, 42.6, true, std::nullopt, english,
         u"Download lag under load: \u206818\u2069ms -> \u206843\u2069ms (grade unavailable)."_s},
        {"grouping and ties to even", u"upload"_s, 0.5, 1234.4, true, BufferbloatGrade::f, english,
         u"Upload lag under load: \u20680\u2069ms -> \u20681,234\u2069ms (grade F, severe bufferbloat)."_s},
        {"grouping in a decimal-comma locale", u"upload"_s, 0.4, 1234.4, true, BufferbloatGrade::f,
         german,
         u"Upload lag under load: \u20680\u2069ms -> \u20681.234\u2069ms (grade F, severe bufferbloat)."_s},
        {"loaded missing, phase running", u"upload"_s, 18.4, std::nullopt, false,
         BufferbloatGrade::a, english, u"Upload lag under load: collecting sample..."_s},
        {"loaded missing, phase over", u"upload"_s, 18.4, std::nullopt, true, BufferbloatGrade::a,
         english, u"Upload lag under load: sample unavailable for this run."_s},
        {"baseline missing", u"download"_s, std::nullopt, 42.6, true, std::nullopt, english,
         u"Download lag under load: sample unavailable for this run."_s},
        {"every word capitalized", u"uPLOAD phase"_s, std::nullopt, 42.6, false, std::nullopt,
         english, u"Upload Phase lag under load: collecting sample..."_s},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(SpeedTestBlockModel::insightMessage(testCase.phaseLabel, testCase.baseline,
                                                      testCase.loaded, testCase.finalized,
                                                      testCase.grade, testCase.locale),
                  testCase.expected)
            << testCase.name;
    }
}

TEST(SpeedTestBlockModelTest, TheRowsIconTakesTheGradeColourWhateverTheSentence) {
    const auto row = SpeedTestBlockModel::insightRow(u"upload"_s, u"arrow.up"_s, 18.4, std::nullopt,
                                                     true, BufferbloatGrade::c, english);
    EXPECT_EQ(row.indicatorColor, NamedColors::orange);
    EXPECT_EQ(row.indicatorSymbolName, u"arrow.up"_s);
    const auto ungraded = SpeedTestBlockModel::insightRow(u"download"_s, u"arrow.down"_s, 18.4,
                                                          42.6, true, std::nullopt, english);
    EXPECT_EQ(ungraded.indicatorColor, placeholderWhite);
    const auto tile =
        SpeedTestBlockModel::gradeTile(u"Upload"_s, BufferbloatGrade::a, std::nullopt, english);
    EXPECT_EQ(tile, (SpeedTestGradeTileContent{u"Upload"_s, u"A"_s, NamedColors::green,
                                               u"ratio unavailable"_s}));
}
