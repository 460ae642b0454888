#include "UI/Radar/WiFiRadarModel.h"

#include "Support/QStringPrinter.h"
#include "Support/TestRuntime.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Radar/WiFiRadarTheme.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

WiFiSnapshot reading(std::optional<QString> ssid, std::int64_t rssi, std::int64_t noise,
                     std::optional<std::int64_t> linkRate, std::optional<std::int64_t> channel = 36,
                     std::optional<WiFiBand> band = WiFiBand::fiveGigahertz) {
    return WiFiSnapshot{TestRuntime::startDate(),
                        std::move(ssid),
                        std::nullopt,
                        rssi,
                        noise,
                        rssi - noise,
                        linkRate,
                        channel,
                        band,
                        std::nullopt,
                        false};
}

// Scores 100: -30 dBm over -105 dBm at 1300 Mbps.
const WiFiSnapshot perfect = reading(u"Linden House"_s, -30, -105, 1300);
// Scores 0.
const WiFiSnapshot hopeless = reading(u"Linden House"_s, -95, -60, std::nullopt);

RadarNearbyNetwork nearby(const QString& ssid, std::int64_t signal = -60) {
    return RadarNearbyNetwork{ssid, ssid, signal, 36, WiFiBand::fiveGigahertz};
}

QStringList ssids(const std::vector<RadarNearbyNetwork>& networks) {
    QStringList names;
    for (const RadarNearbyNetwork& network : networks) {
        names << network.ssid;
    }
    return names;
}

} // namespace

TEST(WiFiRadarModelTest, ScoreThresholdsPickTheMessageSymbolAndTint) {
    struct Case {
        int score;
        QString message;
        bool checkMark;
        QColor tint;
    };
    const QString great = u"Great spot: strong signal here."_s;
    const QString good = u"Good spot: signal is stable."_s;
    const QString moving = u"Keep moving: signal can improve."_s;
    const QString weak = u"Weak spot: move closer to the router."_s;
    const QColor green = WiFiRadarTheme::radarGreen();
    const QColor yellow = NamedColors::yellow;
    const QColor orange = NamedColors::orange;
    const std::vector<Case> cases{
        {100, great, true, green},   {86, great, true, green},    {85, good, true, green},
        {75, good, true, green},     {74, good, true, yellow},    {66, good, true, yellow},
        {65, moving, false, yellow}, {46, moving, false, yellow}, {45, weak, false, yellow},
        {44, weak, false, orange},   {0, weak, false, orange},
    };
    for (const Case& scoreCase : cases) {
        EXPECT_EQ(WiFiRadarModel::qualityMessage(scoreCase.score), scoreCase.message)
            << scoreCase.score;
        EXPECT_EQ(WiFiRadarModel::statusSymbolName(scoreCase.score),
                  scoreCase.checkMark ? u"checkmark.circle.fill"_s
                                      : u"exclamationmark.triangle.fill"_s)
            << scoreCase.score;
        EXPECT_EQ(WiFiRadarModel::qualityTint(scoreCase.score), scoreCase.tint) << scoreCase.score;
    }
}

TEST(WiFiRadarModelTest, TheRadarMonitorWinsAndTheSharedMonitorFillsIn) {
    const WiFiSnapshot shared = reading(u"Shared"_s, -60, -90, 300);
    const WiFiSnapshot radar = reading(u"Radar"_s, -50, -90, std::nullopt);
    WiFiRadarInputs inputs;
    EXPECT_EQ(WiFiRadarModel::snapshot(inputs), std::nullopt);
    EXPECT_TRUE(WiFiRadarModel::sourceHistory(inputs).empty());

    inputs.wifiSnapshot = shared;
    inputs.wifiHistory = {shared, shared};
    EXPECT_EQ(WiFiRadarModel::snapshot(inputs), shared);
    EXPECT_EQ(WiFiRadarModel::sourceHistory(inputs).size(), 2U);
    const WiFiRadarContent fallback = WiFiRadarModel::content(inputs);
    EXPECT_EQ(fallback.networkName, u"Shared"_s);
    EXPECT_EQ(fallback.metricCards[3].samples, (std::vector<double>{300, 300}));

    // One reading of its own and the radar's history is used whole, even
    // where it has no link rates.
    inputs.radarHistory = {radar};
    EXPECT_EQ(WiFiRadarModel::snapshot(inputs), shared) << "the latest reading is chosen apart";
    inputs.radarSnapshot = radar;
    const WiFiRadarContent own = WiFiRadarModel::content(inputs);
    EXPECT_EQ(own.networkName, u"Radar"_s);
    EXPECT_EQ(own.metricCards[1].samples, (std::vector<double>{40}));
    EXPECT_EQ(own.metricCards[2].samples, (std::vector<double>{-50}));
    EXPECT_TRUE(own.metricCards[3].samples.empty());
}

TEST(WiFiRadarModelTest, SeriesFollowTheHistoryAndSkipMissingLinkRates) {
    const std::vector<WiFiSnapshot> history{perfect, hopeless, reading(u"x"_s, -60, -90, 866)};
    EXPECT_EQ(WiFiRadarModel::qualitySamples(history), (std::vector<double>{100, 0, 65}));
    EXPECT_EQ(WiFiRadarModel::snrSamples(history), (std::vector<double>{75, -35, 30}));
    EXPECT_EQ(WiFiRadarModel::rssiSamples(history), (std::vector<double>{-30, -95, -60}));
    EXPECT_EQ(WiFiRadarModel::linkRateSamples(history), (std::vector<double>{1300, 866}));
}

TEST(WiFiRadarModelTest, TheCurrentNetworkIsTrimmedAndHidesItsNamesakes) {
    EXPECT_EQ(WiFiRadarModel::currentNetworkSSID(std::nullopt), std::nullopt);
    EXPECT_EQ(WiFiRadarModel::currentNetworkSSID(reading(std::nullopt, -60, -90, 1)), std::nullopt);
    EXPECT_EQ(WiFiRadarModel::currentNetworkSSID(reading(u" \n\t "_s, -60, -90, 1)), std::nullopt);
    EXPECT_EQ(WiFiRadarModel::currentNetworkSSID(reading(u"  Home \n"_s, -60, -90, 1)), u"Home"_s);

    const std::vector<RadarNearbyNetwork> networks{nearby(u"home"_s), nearby(u"Home-5G"_s),
                                                   nearby(u" HOME "_s), nearby(u"Cafe"_s)};
    EXPECT_EQ(ssids(WiFiRadarModel::nearbyNetworksExcludingCurrentSSID(networks, u"Home"_s)),
              (QStringList{u"Home-5G"_s, u"Cafe"_s}));
    EXPECT_EQ(ssids(WiFiRadarModel::nearbyNetworksExcludingCurrentSSID(networks, std::nullopt)),
              ssids(networks));
}

TEST(WiFiRadarModelTest, TheNameBadgeAndNearbyTextFollowTheReading) {
    WiFiRadarInputs inputs;
    inputs.nearbyNetworks = {nearby(u"Linden House"_s)};
    WiFiRadarContent content = WiFiRadarModel::content(inputs);
    EXPECT_EQ(content.networkName, u"No Wi-Fi Network"_s);
    EXPECT_FALSE(content.showsCurrentBadge);
    EXPECT_EQ(content.nearbyRows.size(), 1U) << "nothing to hide without a current network";

    inputs.radarSnapshot = reading(u"   "_s, -60, -90, 1);
    content = WiFiRadarModel::content(inputs);
    EXPECT_EQ(content.networkName, u"   "_s);
    EXPECT_FALSE(content.showsCurrentBadge);

    inputs.radarSnapshot = reading(u" Linden House "_s, -60, -90, 1);
    content = WiFiRadarModel::content(inputs);
    EXPECT_EQ(content.networkName, u" Linden House "_s) << "shown as the link reports it";
    EXPECT_TRUE(content.showsCurrentBadge);
    EXPECT_TRUE(content.nearbyRows.empty()) << "every network heard was the current one";
    EXPECT_EQ(content.nearbyPlaceholder, u"Scanning nearby networks..."_s);

    inputs.nearbyErrorMessage = u"Nearby scan unavailable."_s;
    EXPECT_EQ(WiFiRadarModel::content(inputs).nearbyPlaceholder, u"Nearby scan unavailable."_s);
}

TEST(WiFiRadarModelTest, ChannelTextsReadChannelThenBand) {
    EXPECT_EQ(WiFiRadarModel::channelAndBand(std::nullopt), u"Channel unavailable"_s);
    EXPECT_EQ(WiFiRadarModel::channelAndBand(reading(u"x"_s, -60, -90, 1, std::nullopt)),
              u"Channel unavailable"_s);
    EXPECT_EQ(WiFiRadarModel::channelAndBand(reading(u"x"_s, -60, -90, 1, 36, std::nullopt)),
              u"Ch 36 . Unknown"_s);
    EXPECT_EQ(WiFiRadarModel::channelAndBand(reading(u"x"_s, -60, -90, 1, 36)), u"Ch 36 . 5 GHz"_s);
    const RadarNearbyRowContent row = WiFiRadarModel::nearbyRow(
        RadarNearbyNetwork{u"aa"_s, u"Cafe"_s, -58, 6, WiFiBand::twoPointFourGigahertz});
    EXPECT_EQ(row, (RadarNearbyRowContent{u"Cafe"_s, u"-58 dBm"_s, u"Ch 6 . 2.4 GHz"_s}));
}

TEST(WiFiRadarModelTest, MetricCardsCarryValuesUnitsAndRanges) {
    const auto shown = [](const auto& cards) {
        QStringList texts;
        for (const RadarMetricCardContent& card : cards) {
            texts << u"%1: %2 [%3, %4]"_s.arg(card.title, card.valueText())
                         .arg(card.yDomain.lowerBound)
                         .arg(card.yDomain.upperBound);
        }
        return texts;
    };
    EXPECT_EQ(shown(WiFiRadarModel::metricCards(std::nullopt, {})),
              (QStringList{u"Quality: 0 [0, 100]"_s, u"SNR: 0 dB [0, 50]"_s,
                           u"RSSI: 0 dBm [-95, -30]"_s, u"Speed: 0 Mbps [0, 200]"_s}));

    const WiFiSnapshot fast = reading(u"x"_s, -61, -96, 866);
    EXPECT_EQ(shown(WiFiRadarModel::metricCards(fast, {reading(u"x"_s, -61, -96, 150), fast})),
              (QStringList{u"Quality: 70 [0, 100]"_s, u"SNR: 35 dB [0, 50]"_s,
                           u"RSSI: -61 dBm [-95, -30]"_s, u"Speed: 866 Mbps [0, 866]"_s}));
    EXPECT_EQ(WiFiRadarModel::metricCards(fast, {reading(u"x"_s, -61, -96, 150)})[3].yDomain,
              (ClosedRange{0, 200}));
    EXPECT_EQ(
        WiFiRadarModel::metricCards(reading(u"x"_s, -61, -96, std::nullopt), {})[3].valueText(),
        u"0 Mbps"_s);
}

TEST(WiFiRadarModelTest, TheHintFollowsTheQualitySeriesAndTheTintTheScore) {
    WiFiRadarInputs inputs;
    inputs.radarSnapshot = perfect;
    inputs.radarHistory = {perfect, hopeless};
    WiFiRadarContent content = WiFiRadarModel::content(inputs);
    EXPECT_EQ(content.hint, WiFiRadarScoring::DirectionHint::goBack);
    EXPECT_EQ(content.hintText, u"go back"_s);
    EXPECT_EQ(content.hintSymbolName, u"arrow.uturn.backward.circle.fill"_s);
    EXPECT_EQ(content.qualityTint, WiFiRadarTheme::radarGreen()) << "the tint follows the score";

    inputs.radarHistory = {hopeless, perfect};
    content = WiFiRadarModel::content(inputs);
    EXPECT_EQ(content.hintText, u"keep going"_s);
    EXPECT_EQ(content.hintSymbolName, u"arrow.forward.circle.fill"_s);
    EXPECT_EQ(content.score, 100);
}
