#include "Support/QStringPrinter.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Popover/InlineSparklineView.h"
#include "UI/Popover/MetricRow.h"
#include "UI/Popover/MetricTrendRow.h"
#include "UI/Popover/PlainGroupBox.h"
#include "UI/ViewInspection.h"

#include <gtest/gtest.h>

#include <QLayout>

using namespace Qt::Literals::StringLiterals;
using ViewInspection::layOut;
using ViewInspection::shownTexts;

TEST(MetricRowTest, TitleAtTheLeadingEdgeValueFlushRight) {
    MetricRow row(u"Domain"_s, u"example.com"_s);
    layOut(row, 336);
    EXPECT_EQ(shownTexts(row), (QStringList{u"Domain"_s, u"example.com"_s}));
    const auto labels = row.findChildren<OneLineLabel*>();
    ASSERT_EQ(labels.size(), 2);
    EXPECT_EQ(labels[0]->geometry().left(), 0);
    EXPECT_EQ(labels[1]->geometry().right(), row.width() - 1);
}

TEST(MetricRowTest, AnEmptyValueStillShowsTheTitle) {
    MetricRow row(u"Domain"_s, u"\u2014"_s);
    row.setValue(QString());
    layOut(row, 336);
    EXPECT_EQ(row.value(), QString());
    EXPECT_EQ(shownTexts(row).first(), u"Domain"_s);
    EXPECT_EQ(row.findChildren<OneLineLabel*>().first()->geometry().left(), 0);
}

TEST(MetricTrendRowTest, ColumnsHaveFixedWidthsSoRowsLineUp) {
    MetricTrendRow row(u"Link Rate"_s, u"866 Mbps"_s, {800, 866}, ClosedRange{826, 906},
                       NamedColors::green);
    layOut(row, 336);
    EXPECT_EQ(row.width(), 336);
    const auto labels = row.findChildren<OneLineLabel*>();
    ASSERT_EQ(labels.size(), 2);
    EXPECT_EQ(labels[0]->geometry().x(), 0);
    EXPECT_EQ(labels[0]->width(), 82);
    EXPECT_EQ(labels[1]->geometry().x(), 90);
    EXPECT_EQ(labels[1]->width(), 74);
    EXPECT_EQ(row.sparkline()->geometry(), QRect(172, (row.height() - 20) / 2, 164, 20));
}

TEST(MetricTrendRowTest, TheSparklineGetsTheRowsSeriesUnchanged) {
    MetricTrendRow row(u"SNR"_s, u"37 dB"_s, {35, 36}, ClosedRange{0, 50}, NamedColors::yellow);
    row.setSeries({1, 2, 3}, std::nullopt, NamedColors::red);
    row.setValue(u"38 dB"_s);
    EXPECT_EQ(row.sparkline()->samples(), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(row.sparkline()->yDomain(), std::nullopt);
    EXPECT_EQ(row.sparkline()->strokeColor(), NamedColors::red);
    EXPECT_EQ(row.value(), u"38 dB"_s);
}

TEST(MetricTrendRowTest, AWideValueShrinksToEightyPercentThenIsCut) {
    MetricTrendRow row(u"Lookup"_s, u"12,204.5 ms"_s, {}, ClosedRange{0, 300}, NamedColors::green);
    layOut(row, 336);
    const OneLineTextFit shrunk = row.valueLabel()->currentFit();
    EXPECT_LT(shrunk.pixelSize, 12);
    EXPECT_EQ(shrunk.text, u"12,204.5 ms"_s);

    row.setValue(u"12,345,678.9 ms"_s);
    const OneLineTextFit cut = row.valueLabel()->currentFit();
    EXPECT_EQ(cut.pixelSize, 10);
    EXPECT_TRUE(cut.text.endsWith(u"\u2026"_s));
    EXPECT_EQ(row.sparkline()->width(), 164);
}

TEST(PlainGroupBoxTest, TheTitleSitsSixPointsAboveTheContent) {
    auto* content = new MetricRow(u"Packet Loss"_s, u"0%"_s);
    PlainGroupBox box(u"Latency"_s, content);
    layOut(box, 336);
    EXPECT_EQ(shownTexts(box), (QStringList{u"Latency"_s, u"Packet Loss"_s, u"0%"_s}));
    EXPECT_EQ(content->geometry().top(),
              box.findChildren<OneLineLabel*>().first()->geometry().bottom() + 1 + 6);
}

TEST(PlainGroupBoxTest, AnUntitledBoxIsItsContentAlone) {
    auto* content = new MetricRow(u"Packet Loss"_s, u"0%"_s);
    PlainGroupBox box(std::nullopt, content);
    layOut(box, 336);
    EXPECT_EQ(box.titleLabel(), nullptr);
    EXPECT_EQ(content->geometry().topLeft(), QPoint(0, 0));
}
