#include "UI/Popover/ConnectionMonitorCardModel.h"

#include "Support/QStringPrinter.h"
#include "UI/Ground/NamedColors.h"

#include <gtest/gtest.h>

#include <QLocale>

using namespace Qt::Literals::StringLiterals;
using namespace ConnectionMonitorCardModel;

namespace {

const QString dash = u"\u2014"_s;

ConnectionMonitorCardContent content(std::optional<TCPConnectionStateCounts> counts,
                                     SignalQuality quality = SignalQuality::good) {
    const std::optional<ConnectionPressureResult> result =
        counts ? std::optional(ConnectionPressureResult{
                     .timestamp = Date{}, .counts = *counts, .quality = quality})
               : std::nullopt;
    return {.latestResult = result,
            .statusText = u"status"_s,
            .establishedSamples = {10, 12},
            .timeWaitSamples = {2, 3},
            .closeWaitSamples = {0, 1},
            .totalSamples = {12, 16},
            .orphanedSamples = {2, 4},
            .yDomain = {0, 20}};
}

QStringList values(const ConnectionMonitorCardContent& card) {
    QStringList result;
    for (const MetricLine& line : metricLines(card)) {
        result.append(line.value);
    }
    return result;
}

} // namespace

TEST(ConnectionMonitorCardModelTest, RowsAreTitledAndColouredInOrderWithTheirOwnSamples) {
    const auto lines = metricLines(content(TCPConnectionStateCounts{12, 3, 1}));
    const QString titles[] = {u"Established"_s, u"TIME_WAIT"_s, u"CLOSE_WAIT"_s, u"Total"_s,
                              u"Orphaned"_s};
    const QColor colours[] = {NamedColors::green, NamedColors::orange, NamedColors::red,
                              NamedColors::white, NamedColors::yellow};
    const std::vector<double> samples[] = {{10, 12}, {2, 3}, {0, 1}, {12, 16}, {2, 4}};
    for (std::size_t index = 0; index < lines.size(); ++index) {
        EXPECT_EQ(lines[index].title, titles[index]);
        EXPECT_EQ(lines[index].strokeColor, colours[index]);
        EXPECT_EQ(lines[index].samples, samples[index]);
    }
    EXPECT_EQ(dividerPosition, 3u);
}

TEST(ConnectionMonitorCardModelTest, ValuesAreTheCountsTheirTotalAndTheOrphans) {
    EXPECT_EQ(values(content(TCPConnectionStateCounts{12, 3, 1})),
              (QStringList{u"12"_s, u"3"_s, u"1"_s, u"16"_s, u"4"_s}));
    EXPECT_EQ(values(content(TCPConnectionStateCounts{0, 0, 0})),
              (QStringList{u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s}));
}

TEST(ConnectionMonitorCardModelTest, CountsHaveNoGroupingInAnyLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QStringList shown = values(content(TCPConnectionStateCounts{1234, 5000, 12}));
    QLocale::setDefault(previous);
    EXPECT_EQ(shown, (QStringList{u"1234"_s, u"5000"_s, u"12"_s, u"6246"_s, u"5012"_s}));
}

TEST(ConnectionMonitorCardModelTest, WithoutAResultEveryValueIsADashAndThereIsNoBadge) {
    const ConnectionMonitorCardContent card = content(std::nullopt);
    EXPECT_EQ(values(card), (QStringList{dash, dash, dash, dash, dash}));
    EXPECT_EQ(badgeQuality(card), std::nullopt);
    // The history still shows.
    EXPECT_EQ(metricLines(card)[0].samples, (std::vector<double>{10, 12}));
}

TEST(ConnectionMonitorCardModelTest, TheBadgeShowsTheResultsOwnGrade) {
    EXPECT_EQ(badgeQuality(content(TCPConnectionStateCounts{12, 3, 1}, SignalQuality::poor)),
              SignalQuality::poor);
    EXPECT_EQ(badgeQuality(content(TCPConnectionStateCounts{900, 300, 200}, SignalQuality::good)),
              SignalQuality::good);
}
