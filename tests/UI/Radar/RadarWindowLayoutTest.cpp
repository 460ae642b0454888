#include "Support/QStringPrinter.h"
#include "UI/Ground/Capsule.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/Ground/SymbolView.h"
#include "UI/PlainLineRendering.h"
#include "UI/Popover/InlineSparklineView.h"
#include "UI/Popover/SparklineGeometry.h"
#include "UI/Radar/RadarMetricCard.h"
#include "UI/Radar/RadarNearbyListView.h"
#include "UI/Radar/RadarNearbyNetworkRow.h"
#include "UI/Radar/RadarPanelView.h"
#include "UI/Radar/RadarSidebarView.h"
#include "UI/Radar/WiFiRadarContentView.h"
#include "UI/Radar/WiFiRadarModel.h"
#include "UI/ViewInspection.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QScrollArea>

using namespace Qt::Literals::StringLiterals;

namespace {

WiFiSnapshot reading(std::optional<QString> ssid, std::int64_t rssi) {
    return WiFiSnapshot{{}, std::move(ssid),         std::nullopt, rssi, -95, rssi + 95, 866,
                        36, WiFiBand::fiveGigahertz, std::nullopt, false};
}

std::vector<RadarNearbyNetwork> neighbours(int count) {
    std::vector<RadarNearbyNetwork> networks;
    for (int index = 0; index < count; ++index) {
        networks.push_back(
            {u"id"_s, u"Net %1"_s.arg(index), -50 - index, 6, WiFiBand::twoPointFourGigahertz});
    }
    return networks;
}

} // namespace

class RadarWindowLayoutTest : public testing::Test {
protected:
    RadarWindowLayoutTest() {
        view.setAttribute(Qt::WA_DontShowOnScreen);
        view.resize(1080, 680);
        view.radarPanel()->disc()->freezeSweep(0);
        view.show();
    }

    // Rows added to a shown list appear on the next turn.
    void show(const WiFiRadarInputs& inputs) {
        view.setContent(WiFiRadarModel::content(inputs));
        QCoreApplication::processEvents();
    }
    RadarSidebarView& sidebar() { return *view.sidebar(); }
    RadarNearbyListView& nearbyList() { return *sidebar().nearbyList(); }

    WiFiRadarContentView view;
};

TEST_F(RadarWindowLayoutTest, TheColumnsShareTheFixedWindowByFourToSix) {
    const auto [sidebarWidth, panelWidth] = WiFiRadarContentView::columnWidths(1080);
    EXPECT_DOUBLE_EQ(sidebarWidth, 403.2);
    EXPECT_DOUBLE_EQ(panelWidth, 604.8);
    EXPECT_EQ(sidebar().geometry(), QRect(24, 24, 403, 632));
    EXPECT_EQ(view.radarPanel()->geometry(), QRect(24 + 403 + 24, 24, 605, 632));
    EXPECT_DOUBLE_EQ(view.radarPanel()->discDiameter(), 605 - 28);
    EXPECT_EQ(WiFiRadarContentView::columnWidths(10).first, 0.4) << "never below 1 in all";

    view.radarPanel()->resize(20, 400);
    EXPECT_DOUBLE_EQ(view.radarPanel()->discDiameter(), 1) << "a tiny panel keeps a 1 pt disc";
}

TEST_F(RadarWindowLayoutTest, TheSidebarShowsTheReadingTheHintAndTheCards) {
    WiFiRadarInputs inputs;
    inputs.radarSnapshot = reading(u"Linden House"_s, -47);
    inputs.radarHistory = {reading(u"Linden House"_s, -70), *inputs.radarSnapshot};
    show(inputs);
    const QStringList expectedOrder{u"Wi-Fi Radar"_s,
                                    u"keep going"_s,
                                    u"Linden House"_s,
                                    u"Current"_s,
                                    u"Ch 36 . 5 GHz"_s,
                                    u"Quality"_s,
                                    u"SNR"_s,
                                    u"RSSI"_s,
                                    u"Speed"_s,
                                    u"Nearby Networks"_s,
                                    u"Scanning nearby networks..."_s};
    QStringList found = ViewInspection::shownTexts(sidebar());
    found.removeIf([&expectedOrder](const QString& text) { return !expectedOrder.contains(text); });
    EXPECT_EQ(found, expectedOrder);
    QStringList values;
    for (const RadarMetricCard* card : sidebar().metricCards()) {
        values << card->titleLabel()->text() + u": "_s + card->valueLabel()->text();
    }
    EXPECT_EQ(values, (QStringList{u"Quality: 92"_s, u"SNR: 48 dB"_s, u"RSSI: -47 dBm"_s,
                                   u"Speed: 866 Mbps"_s}));
    EXPECT_EQ(sidebar().hintSymbol()->symbolName(), u"arrow.forward.circle.fill"_s);
    EXPECT_TRUE(sidebar().currentBadge()->isVisible());
    const RadarMetricCard& speed = *sidebar().metricCards()[3];
    EXPECT_EQ(speed.valueLabel()->color(), WiFiRadarModel::qualityTint(92));
    EXPECT_EQ(speed.sparkline()->height(), 15);
    EXPECT_EQ(speed.sparkline()->strokeColor(), WiFiRadarModel::qualityTint(92));
    EXPECT_EQ(speed.sparkline()->yDomain(), (ClosedRange{0, 866}));
    EXPECT_EQ(view.radarPanel()->disc()->score(), 92);
    EXPECT_EQ(view.radarPanel()->disc()->statusSymbolName(), u"checkmark.circle.fill"_s);

    // Without readings every sparkline lies along the bottom edge, the RSSI
    // one too, whose range lies below 0.
    show(WiFiRadarInputs{});
    for (const RadarMetricCard* card : sidebar().metricCards()) {
        const InlineSparklineView& line = *card->sparkline();
        const QPainterPath path = SparklineGeometry::linePath(
            SparklineGeometry::normalizedValues(line.samples(), line.yDomain()), line.size());
        EXPECT_EQ(path.boundingRect().top(), line.height())
            << card->titleLabel()->text().toStdString();
    }

    inputs.radarHistory = {*inputs.radarSnapshot, reading(u"Linden House"_s, -70)};
    inputs.radarSnapshot = reading(std::nullopt, -70);
    show(inputs);
    EXPECT_EQ(sidebar().hintSymbol()->symbolName(), u"arrow.uturn.backward.circle.fill"_s);
    EXPECT_EQ(sidebar().hintLabel()->text(), u"go back"_s);
    EXPECT_EQ(sidebar().networkNameLabel()->text(), u"No Wi-Fi Network"_s);
    EXPECT_FALSE(sidebar().currentBadge()->isVisible());
}

TEST_F(RadarWindowLayoutTest, TheNearbyRegionKeepsItsHeightAndScrollsItsRows) {
    WiFiRadarInputs inputs;
    inputs.nearbyErrorMessage = u"Nearby scan unavailable."_s;
    show(inputs);
    EXPECT_TRUE(nearbyList().rows().empty());
    EXPECT_TRUE(nearbyList().placeholderLabel()->isVisible());
    EXPECT_EQ(nearbyList().placeholderLabel()->text(), u"Nearby scan unavailable."_s);
    EXPECT_EQ(nearbyList().height(), 106);

    inputs.nearbyNetworks = neighbours(12);
    show(inputs);
    ASSERT_EQ(nearbyList().rows().size(), 12U) << "every network gets a row";
    EXPECT_FALSE(nearbyList().placeholderLabel()->isVisible()) << "rows hide the message";
    EXPECT_EQ(nearbyList().height(), 106);
    EXPECT_EQ(nearbyList().rows()[0]->content(),
              (RadarNearbyRowContent{u"Net 0"_s, u"-50 dBm"_s, u"Ch 6 . 2.4 GHz"_s}));
    EXPECT_EQ(nearbyList().rows()[11]->signalLabel()->text(), u"-61 dBm"_s);
    // Rows of equal id are still distinct rows.
    EXPECT_EQ(nearbyList().rows()[5]->ssidLabel()->text(), u"Net 5"_s);
    EXPECT_EQ(nearbyList().scrollArea()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_GT(nearbyList().scrollArea()->widget()->sizeHint().height(), 106)
        << "the rows do not overflow into the scrolled region";

    inputs.nearbyNetworks = neighbours(2);
    show(inputs);
    EXPECT_EQ(nearbyList().rows().size(), 2U);
    EXPECT_EQ(nearbyList().height(), 106);
}

TEST_F(RadarWindowLayoutTest, NetworkNamesAreShownAsPlainTextCutToFit) {
    WiFiRadarInputs inputs;
    const QString markup = u"<b>Free</b> & <i>Fast</i> "_s + QString(80, u'W');
    inputs.nearbyNetworks = {{u"id"_s, markup, -50, 6, WiFiBand::twoPointFourGigahertz}};
    show(inputs);
    ASSERT_EQ(nearbyList().rows().size(), 1U);
    OneLineLabel& name = *nearbyList().rows()[0]->ssidLabel();
    EXPECT_EQ(name.text(), markup);
    const OneLineTextFit fit = name.currentFit();
    EXPECT_TRUE(fit.text.startsWith(u"<b>Free</b> & <i>Fast</i>"_s)) << "the markup was read";
    EXPECT_TRUE(fit.text.endsWith(u"…"_s)) << "a long name was not cut";
    EXPECT_TRUE(PlainLineRendering::drawsPlainly(name, fit.text))
        << "what is drawn is not the plain name cut to fit";
    const RadarNearbyNetworkRow& row = *nearbyList().rows()[0];
    EXPECT_LE(row.signalLabel()->geometry().right(), row.width())
        << "a long name pushed the signal out";
    EXPECT_GE(row.signalLabel()->width(), row.signalLabel()->sizeHint().width());
}
