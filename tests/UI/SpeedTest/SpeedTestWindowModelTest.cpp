#include "UI/SpeedTest/SpeedTestWindowModel.h"

#include "SpeedTestSampleInputs.h"
#include "Support/QStringPrinter.h"
#include "UI/Ground/NamedColors.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace SpeedTestSampleInputs;

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);
const QTimeZone utc = QTimeZone::utc();
const QString dash = u"\u2014"_s;
const QString noData = u"Speed test transferred no data."_s;

SpeedTestWindowContent contentOf(const SpeedTestWindowInputs& inputs,
                                 const QLocale& locale = english) {
    return SpeedTestWindowModel::content(inputs, resultTime, locale, utc);
}

} // namespace

TEST(SpeedTestWindowModelTest, StatusTextPrecedence) {
    SpeedTestWindowInputs allProbesFailed = running();
    allProbesFailed.baselineProbeFailedAttemptIndices = {1, 2, 3, 4, 5};
    SpeedTestWindowInputs baselineKnown = running();
    baselineKnown.baselineLatencyMilliseconds = 18.4;
    SpeedTestWindowInputs failedWhileRunning = running(0.25);
    failedWhileRunning.phase = SpeedTestPhase::failed;
    failedWhileRunning.lastErrorMessage = noData;
    SpeedTestWindowInputs idleWithLeftoverMessage;
    idleWithLeftoverMessage.lastErrorMessage = noData;
    const struct {
        const char* name;
        SpeedTestWindowInputs inputs;
        QString expected;
    } cases[] = {
        {"before the first test", {}, u"Measure current download and upload throughput."_s},
        {"idle with a leftover message", idleWithLeftoverMessage,
         u"Measure current download and upload throughput."_s},
        {"baseline being captured", running(), u"Capturing baseline latency..."_s},
        {"every baseline probe failed", allProbesFailed, u"Running download phase..."_s},
        {"baseline known, no progress", baselineKnown, u"Running download phase..."_s},
        {"progress, no baseline", running(0.125), u"Running download phase..."_s},
        {"upload", uploading(), u"Running upload phase..."_s},
        {"completed", completed(), u"Speed test completed."_s},
        {"cancelled", ended(running(), SpeedTestPhase::cancelled), u"Speed test cancelled."_s},
        {"failed with a message", ended(uploading(), SpeedTestPhase::failed, noData), noData},
        {"failed while still running", failedWhileRunning, noData},
        {"failed without a message", ended(uploading(), SpeedTestPhase::failed),
         u"Speed test failed."_s},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(SpeedTestWindowModel::statusText(testCase.inputs), testCase.expected)
            << testCase.name;
    }
}

TEST(SpeedTestWindowModelTest, ProgressIsAWholePercentageRoundedHalfToEven) {
    const std::pair<double, QString> cases[] = {
        {0, u"0%"_s},    {0.004, u"0%"_s},   {0.125, u"12%"_s}, {0.375, u"38%"_s},
        {0.5, u"50%"_s}, {0.999, u"100%"_s}, {1.0, u"100%"_s},
    };
    for (const auto& [progress, expected] : cases) {
        EXPECT_EQ(SpeedTestWindowModel::progressPercentText(progress, english), expected)
            << progress;
    }
}

// One row per state of the monitor: layout, badge, button, progress panel and
// footer.
TEST(SpeedTestWindowModelTest, TheStateTable) {
    SpeedTestWindowInputs downloading = running(0.25);
    downloading.baselineLatencyMilliseconds = 18.4;
    const std::optional<QString> noBadge, noPanel, noFooter;
    const auto empty = SpeedTestWindowLayout::empty;
    const auto results = SpeedTestWindowLayout::results;
    const QString noResultYet = u"Last tested at \u2014"_s;
    const struct {
        const char* name;
        SpeedTestWindowInputs inputs;
        SpeedTestWindowLayout layout;
        std::optional<QString> badge;
        QString button;
        std::optional<QString> progressPanel;
        std::optional<QString> footer;
    } rows[] = {
        {"before the first test", {}, empty, noBadge, u"Run Test"_s, noPanel, noFooter},
        {"capturing the baseline", running(), results, noBadge, u"Cancel"_s,
         u"Capturing baseline latency... 0%"_s, noResultYet},
        {"downloading", downloading, results, noBadge, u"Cancel"_s,
         u"Running download phase... 25%"_s, noResultYet},
        {"uploading", uploading(), results, noBadge, u"Cancel"_s, u"Running upload phase... 75%"_s,
         noResultYet},
        {"completed", completed(), results, u"Completed"_s, u"Retest"_s, noPanel,
         u"Last tested at \u20683:41\u202fPM\u2069."_s},
        {"failed after a throughput", ended(uploading(), SpeedTestPhase::failed, noData), results,
         u"Failed"_s, u"Retest"_s, noPanel, noResultYet},
        {"cancelled after a throughput", ended(uploading(), SpeedTestPhase::cancelled), results,
         u"Cancelled"_s, u"Retest"_s, noPanel, noResultYet},
        {"failed before any throughput", ended(running(), SpeedTestPhase::failed, noData), empty,
         u"Failed"_s, u"Run Test"_s, noPanel, noFooter},
        {"cancelled before any throughput", ended(running(), SpeedTestPhase::cancelled), empty,
         u"Cancelled"_s, u"Run Test"_s, noPanel, noFooter},
    };
    for (const auto& row : rows) {
        const SpeedTestWindowContent content = contentOf(row.inputs);
        EXPECT_EQ(content.layout, row.layout) << row.name;
        EXPECT_EQ(content.phaseBadge ? std::optional(content.phaseBadge->text) : std::nullopt,
                  row.badge)
            << row.name;
        EXPECT_EQ(content.actionButtonTitle, row.button) << row.name;
        const std::optional<QString> panel =
            content.showsProgressPanel
                ? std::optional(content.statusText + u' ' + content.progressPercentText)
                : std::nullopt;
        EXPECT_EQ(panel, row.progressPanel) << row.name;
        const std::optional<QString> footer = content.layout == SpeedTestWindowLayout::results
                                                  ? std::optional(content.lastTestedAtText)
                                                  : std::nullopt;
        EXPECT_EQ(footer, row.footer) << row.name;
    }
}

TEST(SpeedTestWindowModelTest, BadgesAndTheirColours) {
    const std::pair<SpeedTestPhase, std::optional<BadgeContent>> cases[] = {
        {SpeedTestPhase::idle, std::nullopt},
        {SpeedTestPhase::download, std::nullopt},
        {SpeedTestPhase::upload, std::nullopt},
        {SpeedTestPhase::completed, BadgeContent{u"Completed"_s, NamedColors::green}},
        {SpeedTestPhase::cancelled, BadgeContent{u"Cancelled"_s, NamedColors::orange}},
        {SpeedTestPhase::failed, BadgeContent{u"Failed"_s, NamedColors::red}},
    };
    for (const auto& [phase, expected] : cases) {
        EXPECT_EQ(SpeedTestWindowModel::phaseBadge(phase), expected) << phase;
    }
}

TEST(SpeedTestWindowModelTest, TheButtonCancelsARunningTestAndStartsOtherwise) {
    EXPECT_EQ(SpeedTestWindowModel::action(true), SpeedTestAction::cancel);
    EXPECT_EQ(SpeedTestWindowModel::action(false), SpeedTestAction::start);
    EXPECT_EQ(contentOf(running()).action, SpeedTestAction::cancel);
    EXPECT_EQ(contentOf(completed()).action, SpeedTestAction::start);
    // A result from the live throughput alone already makes it a retest.
    SpeedTestWindowInputs uploadOnly;
    uploadOnly.uploadMbps = 0;
    EXPECT_EQ(SpeedTestWindowModel::actionButtonTitle(uploadOnly), u"Retest"_s);
}

// Only a failed test that has ended shows its message; a cancellation, and a
// message left from an earlier failure, show none.
TEST(SpeedTestWindowModelTest, TheFailureMessageShowsOnceAFailedTestHasEnded) {
    SpeedTestWindowInputs stillRunning = running(0.25);
    stillRunning.phase = SpeedTestPhase::failed;
    stillRunning.lastErrorMessage = noData;
    SpeedTestWindowInputs leftover = running();
    leftover.lastErrorMessage = noData;
    const std::pair<SpeedTestWindowInputs, std::optional<QString>> cases[] = {
        {ended(uploading(), SpeedTestPhase::failed, noData), noData},
        {ended(running(), SpeedTestPhase::failed, noData), noData},
        {ended(running(), SpeedTestPhase::failed), std::nullopt},
        {ended(running(), SpeedTestPhase::cancelled, noData), std::nullopt},
        {stillRunning, std::nullopt},
        {leftover, std::nullopt},
    };
    for (std::size_t index = 0; index < std::size(cases); ++index) {
        EXPECT_EQ(contentOf(cases[index].first).failureMessage, cases[index].second) << index;
    }
}

TEST(SpeedTestWindowModelTest, LastTestedAtShowsTheDateOfAnEarlierDay) {
    SpeedTestResult result = *completed().latestResult;
    EXPECT_EQ(SpeedTestWindowModel::lastTestedAtText(std::nullopt, resultTime, english, utc),
              u"Last tested at \u2014"_s);
    EXPECT_EQ(SpeedTestWindowModel::lastTestedAtText(result, resultTime + std::chrono::hours(2),
                                                     english, utc),
              u"Last tested at \u20683:41\u202fPM\u2069."_s);
    EXPECT_EQ(SpeedTestWindowModel::lastTestedAtText(result, resultTime + std::chrono::hours(9),
                                                     english, utc),
              u"Last tested at \u20683/14/26, 3:41\u202fPM\u2069."_s);
    EXPECT_EQ(SpeedTestWindowModel::lastTestedAtText(result, resultTime + std::chrono::hours(9),
                                                     german, utc),
              u"Last tested at \u206814.03.26, 15:41\u2069."_s);
}

TEST(SpeedTestWindowModelTest, TilesAndCellsFormatTheLiveValues) {
    SpeedTestWindowInputs large = uploading();
    large.downloadMbps = 1234.56;
    large.uploadMbps = 0;
    large.baselineLatencyMilliseconds = 1234.4;
    const struct {
        const char* name;
        SpeedTestWindowInputs inputs;
        QLocale locale;
        std::array<QString, 2> throughput;
        std::array<QString, 3> latency;
    } cases[] = {
        {"nothing measured", running(), english, {dash, dash}, {dash, dash, dash}},
        {"download measured",
         uploading(),
         english,
         {u"93.4 Mbps"_s, dash},
         {u"18 ms"_s, u"43 ms"_s, dash}},
        {"large and zero values",
         large,
         english,
         {u"1,234.6 Mbps"_s, u"0.0 Mbps"_s},
         {u"1,234 ms"_s, u"43 ms"_s, dash}},
        {"a decimal comma",
         large,
         german,
         {u"1.234,6 Mbps"_s, u"0,0 Mbps"_s},
         {u"1.234 ms"_s, u"43 ms"_s, dash}},
    };
    for (const auto& testCase : cases) {
        const SpeedTestWindowContent content = contentOf(testCase.inputs, testCase.locale);
        for (std::size_t index = 0; index < 2; ++index) {
            EXPECT_EQ(content.throughputTiles[index].value, testCase.throughput[index])
                << testCase.name << " tile " << index;
        }
        for (std::size_t index = 0; index < 3; ++index) {
            EXPECT_EQ(content.latencyCells[index].value, testCase.latency[index])
                << testCase.name << " cell " << index;
        }
    }
    const SpeedTestWindowContent content = contentOf(completed());
    EXPECT_EQ(content.throughputTiles[0],
              (SpeedTestMetricTileContent{u"Download"_s, u"arrow.down"_s, u"93.4 Mbps"_s,
                                          NamedColors::green}));
    EXPECT_EQ(
        content.throughputTiles[1],
        (SpeedTestMetricTileContent{u"Upload"_s, u"arrow.up"_s, u"21.8 Mbps"_s, NamedColors::red}));
    EXPECT_EQ(content.latencyCells[2].title, u"Upload Load"_s);
}

// A phase counts as finalized once the test has moved past it.
TEST(SpeedTestWindowModelTest, InsightRowsFollowTheFinalizedPhases) {
    const QString collecting = u" lag under load: collecting sample..."_s;
    const QString unavailable = u" lag under load: sample unavailable for this run."_s;
    SpeedTestWindowInputs uploadWithoutSamples = uploading();
    uploadWithoutSamples.downloadLoadedLatencyMilliseconds.reset();
    const struct {
        const char* name;
        SpeedTestWindowInputs inputs;
        QString download;
        QString upload;
    } cases[] = {
        {"idle", {}, u"Download"_s + collecting, u"Upload"_s + collecting},
        {"download", running(0.25), u"Download"_s + collecting, u"Upload"_s + collecting},
        {"upload without a download sample", uploadWithoutSamples, u"Download"_s + unavailable,
         u"Upload"_s + collecting},
        {"failed during the upload", ended(uploading(), SpeedTestPhase::failed, noData),
         u"Download lag under load: \u206818\u2069ms -> \u206843\u2069ms (grade B, minimal bufferbloat)."_s,
         u"Upload"_s + unavailable},
        {"cancelled during the download", ended(running(), SpeedTestPhase::cancelled),
         u"Download"_s + unavailable, u"Upload"_s + unavailable},
        {"completed", completed(),
         u"Download lag under load: \u206818\u2069ms -> \u206843\u2069ms (grade B, minimal bufferbloat)."_s,
         u"Upload lag under load: \u206818\u2069ms -> \u206873\u2069ms (grade C, noticeable bufferbloat)."_s},
    };
    for (const auto& testCase : cases) {
        const auto rows = contentOf(testCase.inputs).insightRows;
        EXPECT_EQ(rows[0].message, testCase.download) << testCase.name;
        EXPECT_EQ(rows[1].message, testCase.upload) << testCase.name;
        EXPECT_EQ(rows[0].indicatorSymbolName, u"arrow.down"_s);
        EXPECT_EQ(rows[1].indicatorSymbolName, u"arrow.up"_s);
    }
}

TEST(SpeedTestWindowModelTest, GradeTilesShowTheLiveGradesAndRatios) {
    const auto tiles = contentOf(completed()).gradeTiles;
    EXPECT_EQ(tiles[0], (SpeedTestGradeTileContent{u"Download"_s, u"B"_s, NamedColors::green,
                                                   u"2.32x baseline"_s}));
    EXPECT_EQ(tiles[1], (SpeedTestGradeTileContent{u"Upload"_s, u"C"_s, NamedColors::orange,
                                                   u"3.97x baseline"_s}));
    const auto german_tiles = contentOf(completed(), german).gradeTiles;
    EXPECT_EQ(german_tiles[0].ratioText, u"2,32x baseline"_s);
    EXPECT_EQ(contentOf(running()).gradeTiles[1].ratioText, u"ratio unavailable"_s);
}
