#include "UI/Popover/ToolboxOverlayCard.h"

#include "Support/QStringPrinter.h"
#include "UI/Ground/PopoverTheme.h"
#include "UI/Ground/SymbolView.h"
#include "UI/Popover/BackButton.h"
#include "UI/Popover/OverlayCardHeader.h"
#include "UI/Popover/ToolboxToolRow.h"
#include "UI/ViewInspection.h"

#include <gtest/gtest.h>

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using ViewInspection::layOut;
using ViewInspection::shownTexts;

namespace {

constexpr int panelWidth = 340;

class ToolboxOverlayCardTest : public testing::Test {
protected:
    ToolboxOverlayCardTest() : card_(actions()) { layOut(card_, panelWidth); }

    ToolboxActions actions() {
        const auto record = [this](const QString& name) {
            return [this, name] { calls_.append(name); };
        };
        return {.onOpenWiFiRadar = record(u"radar"_s),
                .onOpenDiagnosticsExport = record(u"export"_s),
                .onOpenSpeedTest = record(u"speed"_s),
                .onOpenChannelScan = record(u"channels"_s),
                .onOpenConnectionMonitor = record(u"connections"_s),
                .onOpenCaptivePortal = record(u"portal"_s),
                .onClose = record(u"close"_s)};
    }

    ToolboxToolRow* row(const QString& title) const {
        for (ToolboxToolRow* candidate : card_.rows()) {
            if (candidate->tool().title == title) {
                return candidate;
            }
        }
        return nullptr;
    }

    QStringList calls_;
    ToolboxOverlayCard card_;
};

} // namespace

TEST_F(ToolboxOverlayCardTest, ShowsTheHeaderAndTheSixToolsInOrder) {
    const QStringList texts = shownTexts(card_);
    ASSERT_GE(texts.size(), 4);
    EXPECT_EQ(texts.mid(0, 4),
              (QStringList{u"Toolbox"_s, u"Advanced diagnostics"_s, u"Tools"_s, u"Wi-Fi Radar"_s}));
    QStringList titles;
    int previousTop = -1;
    for (const ToolboxToolRow* tool : card_.rows()) {
        titles.append(tool->tool().title);
        EXPECT_GT(tool->y(), previousTop);
        previousTop = tool->y();
    }
    EXPECT_EQ(titles,
              (QStringList{u"Wi-Fi Radar"_s, u"Channel Scan"_s, u"Speed Test"_s,
                           u"Connection Monitor"_s, u"Captive Portal"_s, u"Diagnostics Export"_s}));
}

TEST_F(ToolboxOverlayCardTest, EachRowCallsOnlyItsOwnToolOncePerClick) {
    const std::pair<QString, QString> expectations[] = {
        {u"Wi-Fi Radar"_s, u"radar"_s},     {u"Channel Scan"_s, u"channels"_s},
        {u"Speed Test"_s, u"speed"_s},      {u"Connection Monitor"_s, u"connections"_s},
        {u"Captive Portal"_s, u"portal"_s}, {u"Diagnostics Export"_s, u"export"_s},
    };
    for (const auto& [title, call] : expectations) {
        calls_.clear();
        ToolboxToolRow* tool = row(title);
        ASSERT_NE(tool, nullptr);
        QTest::mouseClick(tool, Qt::LeftButton);
        EXPECT_EQ(calls_, QStringList{call}) << title.toStdString();
    }
}

TEST_F(ToolboxOverlayCardTest, TheWholeRoundedSurfaceIsTheHitArea) {
    ToolboxToolRow* tool = row(u"Speed Test"_s);
    const QRectF surface = tool->surfaceRect();
    // Between the description and the chevron, where nothing is drawn.
    QTest::mouseClick(tool, Qt::LeftButton, {}, QPoint(tool->width() - 40, tool->height() / 2));
    // On the symbol and on the description.
    QTest::mouseClick(tool, Qt::LeftButton, {}, QPoint(18, tool->height() / 2));
    QTest::mouseClick(tool, Qt::LeftButton, {}, QPoint(60, int(surface.bottom()) - 10));
    EXPECT_EQ(calls_, (QStringList{u"speed"_s, u"speed"_s, u"speed"_s}));

    // Outside the rounded corner and in the margin above the surface.
    calls_.clear();
    QTest::mouseClick(tool, Qt::LeftButton, {}, QPoint(1, int(surface.top()) + 1));
    QTest::mouseClick(tool, Qt::LeftButton, {}, QPoint(tool->width() / 2, 0));
    EXPECT_EQ(calls_, QStringList());
}

TEST_F(ToolboxOverlayCardTest, TheChevronKeepsTheSpacingOnBothSidesOfTheMinimumGap) {
    for (const ToolboxToolRow* tool : card_.rows()) {
        const QList<SymbolView*> symbols = tool->findChildren<SymbolView*>();
        ASSERT_EQ(symbols.size(), 2);
        const QWidget* chevron = symbols.back();
        const QWidget* subtitle = ViewInspection::labelShowing(*tool, tool->tool().subtitle);
        ASSERT_NE(subtitle, nullptr);
        // Spacing 10, a gap of at least 8, spacing 10.
        EXPECT_EQ(ViewInspection::horizontalGap(*tool, *subtitle, *chevron), 28)
            << tool->tool().title.toStdString();
    }
}

TEST_F(ToolboxOverlayCardTest, ALongDescriptionWrapsAndTheRowGrows) {
    const int oneLine = row(u"Captive Portal"_s)->height();
    const int twoLines = row(u"Wi-Fi Radar"_s)->height();
    EXPECT_GT(twoLines, oneLine + 8);
    const QStringList texts = shownTexts(*row(u"Wi-Fi Radar"_s));
    EXPECT_TRUE(
        texts.contains(u"Live signal radar and nearby network crowding in a dedicated window."_s));
}

TEST_F(ToolboxOverlayCardTest, BackReadsBackAndReturnsToTheDashboard) {
    BackButton* back = card_.header()->backButton();
    EXPECT_EQ(back->text(), u"Back"_s);
    EXPECT_EQ(back->accessibleName(), u"Back to Main"_s);
    const int labelSize = PopoverTheme::microFont().pixelSize();
    EXPECT_EQ(back->chevronRect().size(), QSizeF(labelSize, labelSize));
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(calls_, QStringList{u"close"_s});
}
