#include "UI/ChannelScan/ChannelScanCongestionRow.h"

#include "Support/QStringPrinter.h"
#include "UI/ChannelScan/ChannelScanCongestionBar.h"
#include "UI/ChannelScan/ChannelScanMarkerTag.h"
#include "UI/ChannelScan/ChannelScanWindowModel.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/ViewInspection.h"

#include <gtest/gtest.h>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

ChannelScanCongestionRowContent rowContent(bool isCurrent, bool isRecommended, double congestion) {
    return {6,
            u"Ch 6"_s,
            isCurrent,
            isRecommended,
            u"Score 3.14"_s,
            u"1 network"_s,
            congestion,
            ChannelScanWindowModel::congestionBarColor(congestion)};
}

QStringList tagTexts(const ChannelScanCongestionRow& row) {
    QStringList texts;
    for (const ChannelScanMarkerTag* tag : row.tags()) {
        texts.append(tag->text());
    }
    return texts;
}

} // namespace

TEST(ChannelScanCongestionRowTest, TagsCurrentBeforeRecommendedAndTheScoreAtTheTrailingEdge) {
    const struct {
        bool isCurrent;
        bool isRecommended;
        QStringList tags;
    } cases[] = {
        {false, false, {}},
        {true, false, {u"Current"_s}},
        {false, true, {u"Recommended"_s}},
        {true, true, {u"Current"_s, u"Recommended"_s}},
    };
    for (const auto& testCase : cases) {
        ChannelScanCongestionRow row(rowContent(testCase.isCurrent, testCase.isRecommended, 0.5));
        ViewInspection::layOut(row, 600);
        EXPECT_EQ(tagTexts(row), testCase.tags);
        for (const ChannelScanMarkerTag* tag : row.tags()) {
            EXPECT_EQ(tag->accentColor(),
                      tag->text() == u"Current"_s ? NamedColors::blue : NamedColors::green);
        }
        const OneLineLabel* score = row.scoreLabel();
        EXPECT_EQ(score->mapTo(&row, QPoint(score->width(), 0)).x(), 600)
            << "the score sits at the trailing edge";
        EXPECT_EQ(ViewInspection::shownTexts(row).first(), u"Ch 6"_s);
        EXPECT_TRUE(ViewInspection::shownTexts(row).contains(u"1 network"_s));
    }
}

TEST(ChannelScanCongestionRowTest, BarFillsItsShareOfTheTrackAtLeastTwoWide) {
    const struct {
        double congestion;
        double share;
    } cases[] = {{0.0, -1}, {0.5, 0.5}, {1.0, 1.0}, {2.5, 1.0}, {-0.5, -1}, {notANumber, -1}};
    for (const auto& testCase : cases) {
        ChannelScanCongestionRow row(rowContent(false, false, testCase.congestion));
        ViewInspection::layOut(row, 500);
        const ChannelScanCongestionBar* bar = row.bar();
        EXPECT_EQ(bar->x(), ChannelScanCongestionRow::countColumnWidth + 8);
        EXPECT_EQ(bar->height(), ChannelScanCongestionBar::barHeight);
        const double expected = testCase.share < 0 ? 2.0 : bar->width() * testCase.share;
        EXPECT_DOUBLE_EQ(bar->barWidth(), expected) << testCase.congestion;
    }
}
