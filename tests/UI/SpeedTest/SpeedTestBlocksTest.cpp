#include "Support/QStringPrinter.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SymbolView.h"
#include "UI/Ground/WrappingLabel.h"
#include "UI/SpeedTest/SpeedTestGradeTile.h"
#include "UI/SpeedTest/SpeedTestInsightRow.h"
#include "UI/SpeedTest/SpeedTestMetricTile.h"
#include "UI/ViewInspection.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

// A value too long for its tile shrinks to three quarters of its size and is
// then cut, on one line.
TEST(SpeedTestBlocksTest, AMetricTileValueShrinksThenElides) {
    SpeedTestMetricTile tile({u"Download"_s, u"arrow.down"_s, u"93.4 Mbps"_s, NamedColors::green});
    ViewInspection::layOut(tile, 400);
    const OneLineLabel* value = tile.valueLabel();
    EXPECT_EQ(value->currentFit().pixelSize, 36);
    EXPECT_EQ(value->currentFit().text, u"93.4 Mbps"_s);

    tile.setContent({u"Download"_s, u"arrow.down"_s, u"123,456,789.0 Mbps"_s, NamedColors::green});
    ViewInspection::layOut(tile, 300);
    EXPECT_EQ(value->currentFit().pixelSize, 27);
    EXPECT_TRUE(value->currentFit().text.endsWith(u'\u2026'));
    EXPECT_TRUE(tile.symbol()->hasImage());
    EXPECT_EQ(tile.symbol()->symbolName(), u"arrow.down"_s);
}

// The icon stays at the top while the sentence wraps onto further lines.
TEST(SpeedTestBlocksTest, ALongInsightWrapsBesideItsIconAtTheTop) {
    const QString sentence = u"Download lag under load: 1,234ms -> 5,678ms (grade F, severe "
                             u"bufferbloat)."_s;
    SpeedTestInsightRow row({u"arrow.down"_s, NamedColors::red, sentence});
    ViewInspection::layOut(row, 160);
    EXPECT_GT(row.messageLabel()->lineCount(row.messageLabel()->width()), 2);
    EXPECT_GE(row.height(), row.messageLabel()->heightForWidth(row.messageLabel()->width()));
    const QPoint icon = row.indicator()->mapTo(&row, QPoint(0, 0));
    EXPECT_EQ(icon.y(), 1);
    EXPECT_EQ(row.indicator()->width(), 12);
    EXPECT_EQ(row.messageLabel()->mapTo(&row, QPoint(0, 0)).x(), 12 + 8);
}

TEST(SpeedTestBlocksTest, AGradeTileKeepsItsLetterInAFrame28Wide) {
    SpeedTestGradeTile tile({u"Upload"_s, u"\u2014"_s, NamedColors::gray, u"ratio unavailable"_s});
    ViewInspection::layOut(tile, 300);
    EXPECT_EQ(tile.letterLabel()->width(), 28);
    EXPECT_EQ(tile.ratioLabel()->mapTo(&tile, QPoint(0, 0)).x(), 10 + 28 + 8);
    tile.setContent({u"Upload"_s, u"C"_s, NamedColors::orange, u"3.97x baseline"_s});
    EXPECT_EQ(tile.letterLabel()->color(), NamedColors::orange);
    EXPECT_EQ(ViewInspection::shownTexts(tile),
              (QStringList{u"Upload"_s, u"C"_s, u"3.97x baseline"_s}));
}
