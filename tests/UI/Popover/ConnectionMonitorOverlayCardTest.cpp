#include "UI/Popover/ConnectionMonitorOverlayCard.h"

#include "Support/QStringPrinter.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/WrappingLabel.h"
#include "UI/Popover/BackButton.h"
#include "UI/Popover/InlineSparklineView.h"
#include "UI/Popover/MetricTrendRow.h"
#include "UI/Popover/OverlayCardHeader.h"
#include "UI/Popover/SectionDivider.h"
#include "UI/Popover/SignalQualityBadge.h"
#include "UI/ViewInspection.h"

#include <gtest/gtest.h>

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using ViewInspection::layOut;
using ViewInspection::shownTexts;

namespace {

const QString dash = u"\u2014"_s;

ConnectionMonitorCardContent content(std::optional<TCPConnectionStateCounts> counts,
                                     const QString& status) {
    const std::optional<ConnectionPressureResult> result =
        counts ? std::optional(ConnectionPressureResult{
                     .timestamp = Date{}, .counts = *counts, .quality = SignalQuality::warning})
               : std::nullopt;
    return {.latestResult = result,
            .statusText = status,
            .establishedSamples = {},
            .timeWaitSamples = {},
            .closeWaitSamples = {},
            .totalSamples = {},
            .orphanedSamples = {},
            .yDomain = {0, 1000}};
}

} // namespace

TEST(ConnectionMonitorOverlayCardTest, BeforeTheFirstReadEveryValueIsADashAndThereIsNoBadge) {
    ConnectionMonitorOverlayCard card(
        content(std::nullopt, u"Collecting TCP connection state counts from netstat."_s), [] {});
    layOut(card, 340);
    EXPECT_EQ(shownTexts(card),
              (QStringList{u"Connection Monitor"_s, u"TCP state pressure from netstat"_s,
                           u"Established"_s, dash, u"TIME_WAIT"_s, dash, u"CLOSE_WAIT"_s, dash,
                           u"Total"_s, dash, u"Orphaned"_s, dash,
                           u"Collecting TCP connection state counts from netstat."_s}));
    EXPECT_FALSE(card.badge()->isVisibleTo(&card));
}

TEST(ConnectionMonitorOverlayCardTest, AResultShowsItsCountsAndBadge) {
    ConnectionMonitorOverlayCard card(
        content(TCPConnectionStateCounts{12, 3, 1}, u"Connection pressure is currently warning."_s),
        [] {});
    layOut(card, 340);
    QStringList values;
    for (const MetricTrendRow* row : card.rows()) {
        values.append(row->value());
    }
    EXPECT_EQ(values, (QStringList{u"12"_s, u"3"_s, u"1"_s, u"16"_s, u"4"_s}));
    EXPECT_TRUE(card.badge()->isVisibleTo(&card));
    EXPECT_EQ(card.badge()->content().text, u"Warning"_s);
    EXPECT_EQ(card.statusLine()->text(), u"Connection pressure is currently warning."_s);
}

TEST(ConnectionMonitorOverlayCardTest, TheDividerSitsBetweenCloseWaitAndTotal) {
    ConnectionMonitorOverlayCard card(content(std::nullopt, u"status"_s), [] {});
    layOut(card, 340);
    const auto dividers = card.findChildren<SectionDivider*>();
    ASSERT_EQ(dividers.size(), 1);
    const int dividerY = dividers.first()->mapTo(&card, QPoint()).y();
    EXPECT_GT(dividerY, card.rows()[2]->mapTo(&card, QPoint()).y());
    EXPECT_LT(dividerY, card.rows()[3]->mapTo(&card, QPoint()).y());
}

TEST(ConnectionMonitorOverlayCardTest, AllSparklinesShareTheCardsRange) {
    ConnectionMonitorCardContent shown = content(TCPConnectionStateCounts{12, 3, 1}, u"s"_s);
    shown.yDomain = {0, 60};
    shown.totalSamples = {12, 16};
    ConnectionMonitorOverlayCard card(shown, [] {});
    for (const MetricTrendRow* row : card.rows()) {
        EXPECT_EQ(row->sparkline()->yDomain(), (ClosedRange{0, 60}));
    }
    EXPECT_EQ(card.rows()[3]->sparkline()->samples(), (std::vector<double>{12, 16}));
    EXPECT_EQ(card.rows()[3]->sparkline()->strokeColor(), NamedColors::white);
}

TEST(ConnectionMonitorOverlayCardTest, AnErrorAfterEarlierReadsKeepsTheValuesAndShowsTheMessage) {
    ConnectionMonitorOverlayCard card(content(std::nullopt, u"Collecting"_s), [] {});
    card.setContent(content(TCPConnectionStateCounts{1234, 0, 0},
                            u"Connection monitor failed to read TCP states."_s));
    layOut(card, 340);
    EXPECT_EQ(card.rows()[0]->value(), u"1234"_s);
    EXPECT_TRUE(card.badge()->isVisibleTo(&card));
    EXPECT_EQ(card.statusLine()->text(), u"Connection monitor failed to read TCP states."_s);
}

TEST(ConnectionMonitorOverlayCardTest, ALongStatusWrapsAndIsNeverCut) {
    const QString longStatus =
        u"Connection monitor failed to read TCP states. The netstat stand-in exited with "
        u"status 1 and printed nothing the parser could use; the last counts stay on show."_s;
    ConnectionMonitorOverlayCard card(content(std::nullopt, longStatus), [] {});
    layOut(card, 340);
    EXPECT_GE(card.statusLine()->lineCount(card.statusLine()->width()), 3);
    EXPECT_GE(card.statusLine()->height(),
              card.statusLine()->heightForWidth(card.statusLine()->width()));
}

TEST(ConnectionMonitorOverlayCardTest, BackReturnsToTheToolbox) {
    int closes = 0;
    ConnectionMonitorOverlayCard card(content(std::nullopt, u"s"_s), [&] { ++closes; });
    layOut(card, 340);
    BackButton* back = card.header()->backButton();
    EXPECT_EQ(back->accessibleName(), u"Back to Toolbox"_s);
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(closes, 1);
}
