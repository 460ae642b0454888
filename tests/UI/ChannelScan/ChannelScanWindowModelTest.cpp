#include "UI/ChannelScan/ChannelScanWindowModel.h"

#include "ChannelScanSamples.h"
#include "Support/QStringPrinter.h"
#include "UI/Ground/NamedColors.h"

#include <gtest/gtest.h>
#include <limits>

using namespace ChannelScanSamples;
using namespace Qt::Literals::StringLiterals;
using namespace ChannelScanWindowModel;

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

ChannelScanResult twoFourResult() {
    return result({sample(1, band24, 0.5, 1, 0.25), sample(6, band24, 2.0, 4, 1.0),
                   sample(11, band24, 0.5, 2, 0.25)},
                  6, band24, 1, band24);
}

ChannelScanWindowInputs inputs(bool isScanning, std::optional<ChannelScanResult> latest,
                               std::int64_t completed = 0, std::int64_t total = 0) {
    return {isScanning, std::move(latest), completed, total};
}

} // namespace

TEST(ChannelScanWindowModelTest, LayoutStateButtonAndProgressFollowTheMonitor) {
    const struct {
        ChannelScanWindowInputs inputs;
        ChannelScanLayoutState layout;
        QString title;
        bool headerButton;
        ChannelScanButtonAction action;
    } cases[] = {
        {inputs(false, std::nullopt), ChannelScanLayoutState::emptyIdle, u"Scan Now"_s, false,
         ChannelScanButtonAction::startScan},
        {inputs(true, std::nullopt, 0, 3), ChannelScanLayoutState::emptyScanning, u"Cancel"_s, true,
         ChannelScanButtonAction::cancelScan},
        {inputs(false, twoFourResult(), 3, 3), ChannelScanLayoutState::resultIdle, u"Scan Again"_s,
         true, ChannelScanButtonAction::startScan},
        {inputs(true, twoFourResult(), 1, 3), ChannelScanLayoutState::resultScanning, u"Cancel"_s,
         true, ChannelScanButtonAction::cancelScan},
    };
    for (const auto& testCase : cases) {
        const ChannelScanWindowContent shown = content(testCase.inputs, english);
        const int state = static_cast<int>(testCase.layout);
        EXPECT_EQ(shown.layoutState, testCase.layout) << state;
        EXPECT_EQ(shown.actionTitle, testCase.title) << state;
        EXPECT_EQ(shown.showsHeaderActionButton, testCase.headerButton) << state;
        EXPECT_EQ(buttonAction(testCase.inputs), testCase.action) << state;
        EXPECT_EQ(shown.result.has_value(), testCase.inputs.latestResult.has_value()) << state;
    }
}

TEST(ChannelScanWindowModelTest, ProgressIsCompletedOverAtLeastOnePass) {
    const struct {
        std::int64_t completed;
        std::int64_t total;
        double expected;
    } cases[] = {{0, 3, 0.0}, {2, 3, 2.0 / 3}, {3, 3, 1.0}, {0, 0, 0.0},
                 {1, 0, 1.0}, {5, 3, 1.0},     {-1, 3, 0.0}};
    for (const auto& testCase : cases) {
        EXPECT_DOUBLE_EQ(progressFraction(testCase.completed, testCase.total), testCase.expected)
            << testCase.completed << " of " << testCase.total;
    }
}

TEST(ChannelScanWindowModelTest, NetworksSeenIsPerPassRoundedLikeTheRows) {
    const struct {
        std::int64_t sightings;
        std::int64_t passes;
        std::int64_t expected;
    } cases[] = {{3, 3, 1}, {9, 3, 3}, {1, 3, 1}, {4, 3, 1}, {5, 3, 2},
                 {3, 2, 2}, {0, 3, 0}, {7, 0, 7}, {7, 1, 7}};
    for (const auto& testCase : cases) {
        ChannelScanResult scanned = twoFourResult();
        scanned.scannedNetworkCount = testCase.sightings;
        scanned.passCount = testCase.passes;
        EXPECT_EQ(networksSeenPerPass(scanned), testCase.expected)
            << testCase.sightings << " sightings in " << testCase.passes << " passes";
        const ChannelScanResultContent shown = resultContent(scanned, english);
        EXPECT_EQ(shown.networksSeenValue, QString::number(testCase.expected));
        EXPECT_EQ(shown.passesValue, QString::number(testCase.passes));
    }
}

TEST(ChannelScanWindowModelTest, ScoresHaveTwoFractionDigitsInTheLocale) {
    const struct {
        double score;
        QLocale locale;
        QString expected;
    } cases[] = {
        {0.0, english, u"Score 0.00"_s},          {3.14159, english, u"Score 3.14"_s},
        {0.125, english, u"Score 0.12"_s},        {1234.5, english, u"Score 1,234.50"_s},
        {0.5, german, u"Score 0,50"_s},           {1234.5, german, u"Score 1.234,50"_s},
        {notANumber, english, u"Score \u2014"_s}, {infinity, english, u"Score \u2014"_s},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(scoreText(testCase.score, testCase.locale), testCase.expected) << testCase.score;
    }
}

TEST(ChannelScanWindowModelTest, CountsArePlainIntegersSingularOnlyForOne) {
    const struct {
        std::int64_t count;
        QString card;
        QString row;
    } cases[] = {
        {0, u"0 nearby networks"_s, u"0 networks"_s},
        {1, u"1 nearby network"_s, u"1 network"_s},
        {2, u"2 nearby networks"_s, u"2 networks"_s},
        {12345, u"12345 nearby networks"_s, u"12345 networks"_s},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(networkCountText(testCase.count), testCase.card);
        EXPECT_EQ(rowNetworkCountText(testCase.count), testCase.row);
    }
}

TEST(ChannelScanWindowModelTest, BarColourChangesAtItsExactBounds) {
    const struct {
        double congestion;
        QColor color;
    } cases[] = {
        {0.0, NamedColors::green},        {0.3399, NamedColors::green},
        {0.34, NamedColors::orange},      {0.6699, NamedColors::orange},
        {0.67, NamedColors::red},         {1.0, NamedColors::red},
        {1.8, NamedColors::red},          {-0.5, NamedColors::green},
        {notANumber, NamedColors::green}, {infinity, NamedColors::green},
    };
    for (const auto& testCase : cases) {
        QColor expected = testCase.color;
        expected.setAlpha(209); // 0.82 of 255
        EXPECT_EQ(congestionBarColor(testCase.congestion), expected) << testCase.congestion;
    }
}

TEST(ChannelScanWindowModelTest, BarIsAtLeastTwoWideAndNeverWiderThanItsTrack) {
    const struct {
        double congestion;
        double track;
        double expected;
    } cases[] = {
        {0.0, 200, 2},  {0.005, 200, 2},      {0.5, 200, 100},    {1.0, 200, 200}, {1.7, 200, 200},
        {-1.0, 200, 2}, {notANumber, 200, 2}, {infinity, 200, 2}, {0.5, 1, 1},     {0.5, 0, 0},
    };
    for (const auto& testCase : cases) {
        EXPECT_DOUBLE_EQ(congestionBarWidth(testCase.congestion, testCase.track), testCase.expected)
            << testCase.congestion << " of " << testCase.track;
    }
}

TEST(ChannelScanWindowModelTest, CardsShowChannelScoreAndCountOrUnavailable) {
    const auto unknownBand =
        selectionCard(u"Current"_s, ChannelScanSelectionSummary{6, WiFiBand::unknown, 3.14159, 1},
                      Qt::cyan, english);
    ASSERT_TRUE(unknownBand.lines.has_value());
    EXPECT_EQ(unknownBand.lines->channel, u"Ch 6 (Unknown)"_s);
    EXPECT_EQ(unknownBand.lines->score, u"Score 3.14"_s);
    EXPECT_EQ(unknownBand.lines->networkCount, u"1 nearby network"_s);

    const auto unavailable = selectionCard(u"Recommended"_s, std::nullopt, Qt::cyan, english);
    EXPECT_EQ(unavailable, (ChannelScanSelectionCardContent{u"Recommended"_s, Qt::cyan, {}}));

    const ChannelScanResultContent shown = resultContent(twoFourResult(), german);
    EXPECT_EQ(shown.currentCard,
              (ChannelScanSelectionCardContent{
                  u"Current"_s,
                  NamedColors::blue,
                  {{u"Ch 6 (2.4 GHz)"_s, u"Score 2,00"_s, u"4 nearby networks"_s}}}));
    EXPECT_EQ(shown.recommendedCard,
              (ChannelScanSelectionCardContent{
                  u"Recommended"_s,
                  NamedColors::green,
                  {{u"Ch 1 (2.4 GHz)"_s, u"Score 0,50"_s, u"1 nearby network"_s}}}));
    EXPECT_EQ(shown.comparisonText,
              u"Switching to Ch 1 may reduce interference by about \u206875\u2069%."_s);
}

TEST(ChannelScanWindowModelTest, RowsCarryTagsByChannelNumberAndTheHeldBar) {
    ChannelScanResult scanned = twoFourResult();
    scanned.channels[1].normalizedCongestion = 1.4;
    const std::vector<ChannelScanCongestionRowContent> rows = resultContent(scanned, english).rows;
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0],
              (ChannelScanCongestionRowContent{6, u"Ch 6"_s, true, false, u"Score 2.00"_s,
                                               u"4 networks"_s, 1.0, congestionBarColor(1.0)}));
    EXPECT_EQ(rows[1],
              (ChannelScanCongestionRowContent{1, u"Ch 1"_s, false, true, u"Score 0.50"_s,
                                               u"1 network"_s, 0.25, congestionBarColor(0.25)}));
    EXPECT_FALSE(rows[2].isCurrent || rows[2].isRecommended);

    // Tags compare channel numbers only; absent numbers match no row.
    const ChannelScanResult otherBand =
        result({sample(6, band24, 0.3)}, 6, band5, std::nullopt, band5);
    const auto byNumber = congestionRow(otherBand.channels.front(), otherBand, english);
    EXPECT_TRUE(byNumber.isCurrent);
    EXPECT_FALSE(byNumber.isRecommended);
    const ChannelScanResult bothPinned = result({sample(6, band24, 0.3)}, 6, band24, 6, band24);
    const auto both = congestionRow(bothPinned.channels.front(), bothPinned, english);
    EXPECT_TRUE(both.isCurrent && both.isRecommended);
}

TEST(ChannelScanWindowModelTest, NoRowsWhenTheActiveBandHasNothingToList) {
    const ChannelScanResult empty =
        result({sample(36, band5, 0.4)}, std::nullopt, std::nullopt, std::nullopt, band24);
    const ChannelScanResultContent shown = resultContent(empty, english);
    EXPECT_TRUE(shown.rows.empty());
    EXPECT_EQ(shown.recommendedCard.lines, std::nullopt);
}
