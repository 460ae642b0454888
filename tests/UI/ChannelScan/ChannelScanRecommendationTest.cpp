#include "UI/ChannelScan/ChannelScanRecommendation.h"

#include "ChannelScanSamples.h"
#include "Support/QStringPrinter.h"

#include <gtest/gtest.h>
#include <limits>

using namespace ChannelScanSamples;
using namespace Qt::Literals::StringLiterals;

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

// A summary as text, for comparing whole summaries in one line.
std::string described(const std::optional<ChannelScanSelectionSummary>& summary) {
    if (!summary) {
        return "absent";
    }
    return QStringLiteral("Ch %1 %2 score %3 networks %4")
        .arg(summary->channelNumber)
        .arg(summary->band.rawValue())
        .arg(summary->interferenceScore)
        .arg(summary->networkCount)
        .toStdString();
}

// Current channel `current` scoring `currentScore`, recommended channel
// `recommended` scoring `recommendedScore`, both measured in the 5 GHz band.
ChannelScanResult compared(std::int64_t current, double currentScore, std::int64_t recommended,
                           double recommendedScore) {
    std::vector<ChannelCongestionSample> channels{sample(current, band5, currentScore)};
    if (recommended != current) {
        channels.push_back(sample(recommended, band5, recommendedScore));
    }
    return result(channels, current, band5, recommended, band5);
}

} // namespace

TEST(ChannelScanRecommendationTest, SelectionsFallBackToTheResultsFigures) {
    const auto current = &ChannelScanRecommendation::currentSelection;
    const auto recommended = &ChannelScanRecommendation::recommendedSelection;
    const struct {
        const char* name;
        decltype(current) select;
        ChannelScanResult result;
        std::string expected;
    } cases[] = {
        {"current: no current channel", current,
         result({sample(6, band24, 0.4)}, std::nullopt, band24, 1, band24, 0.4), "absent"},
        {"current: the sample in the current band", current,
         result({sample(6, band6, 0.9, 7), sample(6, band24, 0.4, 3)}, 6, band24, 1, band24, 5.0),
         "Ch 6 2.4 GHz score 0.4 networks 3"},
        {"current: no current band, the first sample of the channel gives the band", current,
         result({sample(6, band6, 0.9, 7), sample(6, band24, 0.4, 3)}, 6, std::nullopt, 1, band6),
         "Ch 6 6 GHz score 0.9 networks 7"},
        {"current: no sample in the band, the result's current score and no networks", current,
         result({sample(6, band6, 0.9, 7)}, 6, band24, 1, band24, 0.25),
         "Ch 6 2.4 GHz score 0.25 networks 0"},
        {"current: no sample and no band, Unknown, and 0 without a current score", current,
         result({sample(1, band24, 0.9)}, 6, std::nullopt, std::nullopt, std::nullopt),
         "Ch 6 Unknown score 0 networks 0"},
        {"recommended: no suggested channel", recommended,
         result({sample(6, band24, 0.4)}, 6, band24, std::nullopt, band24), "absent"},
        {"recommended: no suggested band", recommended,
         result({sample(1, band24, 0.4)}, 6, band24, 1, std::nullopt), "absent"},
        {"recommended: the sample of the suggested channel and band", recommended,
         result({sample(1, band6, 0.7, 5), sample(1, band24, 0.2, 2)}, 6, band24, 1, band24),
         "Ch 1 2.4 GHz score 0.2 networks 2"},
        {"recommended: no sample, 0 and 0", recommended,
         result({sample(1, band6, 0.7, 5)}, 6, band24, 1, band24, 0.9),
         "Ch 1 2.4 GHz score 0 networks 0"},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(described(testCase.select(testCase.result)), testCase.expected) << testCase.name;
    }
}

TEST(ChannelScanRecommendationTest, DeltaSentenceComparesInterferenceInTheLocale) {
    const QString runAScan = u"Run a scan to compare current and recommended channel strength."_s;
    const struct {
        const char* name;
        ChannelScanResult result;
        QLocale locale;
        QString expected;
    } cases[] = {
        {"25% less", compared(6, 2.0, 36, 1.5), english,
         u"Switching to Ch 36 may reduce interference by about \u206825\u2069%."_s},
        {"50% cleaner", compared(6, 1.0, 11, 1.5), english,
         u"Current channel is about \u206850\u2069% cleaner than the recommended channel right now."_s},
        {"a current score of 0 divides by 0.01", compared(6, 0.0, 1, 0.3), english,
         u"Current channel is about \u20683,000\u2069% cleaner than the recommended channel right now."_s},
        {"one fraction digit at most", compared(6, 0.9, 1, 0.6), english,
         u"Switching to Ch 1 may reduce interference by about \u206833.3\u2069%."_s},
        {"a decimal comma", compared(6, 0.9, 1, 0.6), german,
         u"Switching to Ch 1 may reduce interference by about \u206833,3\u2069%."_s},
        {"grouping of the locale", compared(6, 0.0, 1, 0.3), german,
         u"Current channel is about \u20683.000\u2069% cleaner than the recommended channel right now."_s},
        {"equal scores", compared(6, 0.5, 1, 0.5), english,
         u"Current and recommended channels have the same measured interference."_s},
        {"same channel", compared(6, 0.5, 6, 0.5), english,
         u"Current channel already matches the recommendation."_s},
        {"same channel number in another band",
         result({sample(1, band24, 0.8), sample(1, band6, 0.2)}, 1, band24, 1, band6), english,
         u"Switching to Ch 1 may reduce interference by about \u206875\u2069%."_s},
        {"no recommended selection", result({sample(6, band24, 0.8)}, 6, band24, 1, std::nullopt),
         english, runAScan},
        {"no current selection", result({sample(6, band24, 0.8)}, std::nullopt, band24, 1, band24),
         english, runAScan},
        {"a current score that is not a number", compared(6, notANumber, 1, 0.3), english,
         runAScan},
        {"an infinite recommended score", compared(6, 0.3, 1, infinity), english, runAScan},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(
            ChannelScanRecommendation::recommendationDeltaText(testCase.result, testCase.locale),
            testCase.expected)
            << testCase.name;
    }
}
