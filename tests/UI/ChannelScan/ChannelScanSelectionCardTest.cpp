#include "UI/ChannelScan/ChannelScanSelectionCard.h"

#include "Support/QStringPrinter.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/ViewInspection.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(ChannelScanSelectionCardTest, ShowsTheChannelLinesOrUnavailable) {
    const struct {
        ChannelScanSelectionCardContent content;
        QStringList shown;
    } cases[] = {
        {{u"Current"_s, Qt::blue, {{u"Ch 36 (5 GHz)"_s, u"Score 0.50"_s, u"1 nearby network"_s}}},
         {u"Current"_s, u"Ch 36 (5 GHz)"_s, u"Score 0.50"_s, u"1 nearby network"_s}},
        {{u"Recommended"_s, Qt::green, std::nullopt}, {u"Recommended"_s, u"Unavailable"_s}},
    };
    for (const auto& testCase : cases) {
        ChannelScanSelectionCard card(testCase.content);
        ViewInspection::layOut(card, 300);
        EXPECT_EQ(ViewInspection::shownTexts(card), testCase.shown);
    }
}

TEST(ChannelScanSelectionCardTest, TheChannelLineIsCutRatherThanWrapped) {
    ChannelScanSelectionCard card(
        {u"Current"_s,
         Qt::blue,
         {{u"Ch 165 (Unknown)"_s, u"Score 12,345.00"_s, u"12 nearby networks"_s}}});
    ViewInspection::layOut(card, 80);
    const OneLineLabel* channel = card.channelLabel();
    EXPECT_EQ(channel->height(), channel->minimumSizeHint().height());
    EXPECT_NE(channel->currentFit().text, u"Ch 165 (Unknown)"_s);
    EXPECT_TRUE(channel->currentFit().text.endsWith(QChar(0x2026)));
}
