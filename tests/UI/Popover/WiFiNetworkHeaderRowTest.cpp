#include "UI/Popover/WiFiNetworkHeaderRow.h"

#include "Support/QStringPrinter.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/SymbolButton.h"
#include "UI/Popover/ChannelInfoPopover.h"
#include "UI/ViewInspection.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

using namespace Qt::Literals::StringLiterals;
using ViewInspection::layOut;
using ViewInspection::shownTexts;

namespace {

WiFiSnapshot snapshot(std::optional<QString> ssid, std::optional<std::int64_t> channel,
                      std::optional<WiFiBand> band) {
    return {.timestamp = Date{},
            .ssid = std::move(ssid),
            .bssid = std::nullopt,
            .rssiDbm = -55,
            .noiseFloorDbm = -92,
            .snrDb = 37,
            .linkRateMbps = 866,
            .channelNumber = channel,
            .band = band,
            .ipAddress = std::nullopt,
            .isVPNActive = false};
}

// A turn of the wheel down over the middle of `widget`, which is a window.
void wheelOver(QWidget* widget) {
    const QPointF centre(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent wheel(centre, widget->mapToGlobal(centre), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &wheel);
}

// Stands for the popover, which closes on an Escape that reaches it.
class EscapeCountingWindow final : public QWidget {
public:
    int escapes = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        escapes += event->key() == Qt::Key_Escape ? 1 : 0;
        QWidget::keyPressEvent(event);
    }
};

} // namespace

TEST(WiFiNetworkHeaderRowTest, WithoutWiFiADimmedDotAndNotConnected) {
    WiFiNetworkHeaderRow row(std::nullopt, false);
    layOut(row, 336);
    EXPECT_EQ(shownTexts(row), QStringList{u"Not Connected"_s});
    EXPECT_FALSE(row.showsChannelCapsule());
    EXPECT_EQ(row.dotColor(), QColor(255, 255, 255, 115));
}

TEST(WiFiNetworkHeaderRowTest, ANetworkWithABandShowsItsNameAndTheBandCapsule) {
    WiFiNetworkHeaderRow row(snapshot(u"Office"_s, 149, WiFiBand::fiveGigahertz), true);
    layOut(row, 336);
    EXPECT_EQ(shownTexts(row), (QStringList{u"Office"_s, u"5 GHz"_s}));
    EXPECT_EQ(row.dotColor(), NamedColors::green);
    EXPECT_EQ(row.infoButton()->toolTip(), u"Channel 149 (5 GHz)"_s);
    EXPECT_EQ(row.infoButton()->accessibleName(), u"Show channel details"_s);
}

TEST(WiFiNetworkHeaderRowTest, AHiddenNameStillShowsTheGreenDotAndTheBand) {
    WiFiNetworkHeaderRow row(snapshot(std::nullopt, std::nullopt, WiFiBand::twoPointFourGigahertz),
                             true);
    layOut(row, 336);
    EXPECT_EQ(shownTexts(row), (QStringList{u"Not Connected"_s, u"2.4 GHz"_s}));
    EXPECT_EQ(row.dotColor(), NamedColors::green);
    EXPECT_EQ(row.infoButton()->toolTip(), u"Channel unavailable"_s);
}

TEST(WiFiNetworkHeaderRowTest, ALongNameIsCutAndTheCapsuleStaysWhole) {
    const QString longName = u"Airport Lounge Free Wi-Fi Terminal 2 Departures Guest Access"_s;
    WiFiNetworkHeaderRow row(snapshot(longName, 37, WiFiBand::sixGigahertz), true);
    layOut(row, 336);
    EXPECT_EQ(row.ssidText(), longName);
    const auto labels = row.findChildren<OneLineLabel*>();
    const auto labelShowing = [&](const QString& text) {
        const auto found =
            std::find_if(labels.begin(), labels.end(),
                         [&](const OneLineLabel* label) { return label->text() == text; });
        return found == labels.end() ? nullptr : *found;
    };
    ASSERT_NE(labelShowing(longName), nullptr);
    ASSERT_NE(labelShowing(u"6 GHz"_s), nullptr);
    EXPECT_TRUE(labelShowing(longName)->currentFit().text.endsWith(u"\u2026"_s));
    EXPECT_EQ(labelShowing(u"6 GHz"_s)->currentFit().text, u"6 GHz"_s);
    EXPECT_LE(row.infoButton()->mapTo(&row, QPoint(row.infoButton()->width(), 0)).x(), 336);
}

TEST(WiFiNetworkHeaderRowTest, TheInfoButtonTogglesTheChannelPopover) {
    WiFiNetworkHeaderRow row(snapshot(u"Office"_s, 149, WiFiBand::fiveGigahertz), true);
    layOut(row, 336);
    EXPECT_FALSE(row.isChannelInfoPopoverPresented());
    QTest::mouseClick(row.infoButton(), Qt::LeftButton);
    EXPECT_TRUE(row.isChannelInfoPopoverPresented());
    EXPECT_TRUE(row.channelInfoPopover()->isVisible());
    EXPECT_EQ(row.channelInfoPopover()->text(), u"Channel 149 (5 GHz)"_s);
    QTest::mouseClick(row.infoButton(), Qt::LeftButton);
    EXPECT_FALSE(row.isChannelInfoPopoverPresented());
    EXPECT_FALSE(row.channelInfoPopover()->isVisible());
}

TEST(WiFiNetworkHeaderRowTest, DismissingThePopoverElsewhereClearsTheFlag) {
    WiFiNetworkHeaderRow row(snapshot(u"Office"_s, 149, WiFiBand::fiveGigahertz), true);
    layOut(row, 336);
    QTest::mouseClick(row.infoButton(), Qt::LeftButton);
    row.channelInfoPopover()->close();
    EXPECT_FALSE(row.isChannelInfoPopoverPresented());
    QTest::mouseClick(row.infoButton(), Qt::LeftButton);
    EXPECT_TRUE(row.isChannelInfoPopoverPresented());
}

// Presses go through the window system, as a user's do: a bubble that
// grabbed the pointer would take the press that closes it. The popover may
// also change under the bubble without a press; the bubble never stays over
// content its anchor has left.
TEST(WiFiNetworkHeaderRowTest, TheBubbleGoesWithAPressElsewhereOrItsAnchorAndTakesNoOtherPress) {
    // The popover's parts that the acts below reach.
    struct Popover {
        EscapeCountingWindow window;
        QScrollArea* scrollArea = new QScrollArea;
        QWidget* banner = new QWidget;
        QWidget* page = new QWidget;
        WiFiNetworkHeaderRow* header =
            new WiFiNetworkHeaderRow(snapshot(u"Office"_s, 36, WiFiBand::fiveGigahertz), true);
        QPushButton* button = new QPushButton(u"Toolbox"_s);
    };
    const auto clickAt = [](QWidget* target) {
        QTest::mouseClick(target->window()->windowHandle(), Qt::LeftButton, {},
                          target->mapTo(target->window(), target->rect().center()));
    };
    const struct {
        const char* act;
        std::function<void(Popover&)> perform;
        bool bubbleStays;
        int buttonClicks;
    } rows[] = {
        {"press elsewhere", [&](Popover& p) { clickAt(p.button); }, false, 1},
        {"press on the bubble", [&](Popover& p) { clickAt(p.header->channelInfoPopover()); }, true,
         0},
        {"press on ⓘ", [&](Popover& p) { clickAt(p.header->infoButton()); }, false, 0},
        {"Escape", [](Popover& p) { QTest::keyClick(p.window.windowHandle(), Qt::Key_Escape); },
         false, 0},
        {"switch page", [](Popover& p) { p.page->hide(); }, false, 0},
        {"show a banner above", [](Popover& p) { p.banner->show(); }, false, 0},
        {"scroll", [](Popover& p) { p.scrollArea->verticalScrollBar()->setValue(12); }, false, 0},
        {"wheel over the bubble", [](Popover& p) { wheelOver(p.header->channelInfoPopover()); },
         false, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.act);
        Popover popover;
        popover.scrollArea->setWidgetResizable(true);
        popover.scrollArea->setFixedHeight(160);
        popover.banner->setFixedHeight(42);
        popover.banner->hide();
        auto* pageLayout = new QVBoxLayout(popover.page);
        pageLayout->addWidget(popover.banner);
        pageLayout->addWidget(popover.header);
        pageLayout->addSpacing(60); // clear of the bubble
        pageLayout->addWidget(popover.button);
        pageLayout->addSpacing(200); // room to scroll
        popover.scrollArea->setWidget(popover.page);
        (new QVBoxLayout(&popover.window))->addWidget(popover.scrollArea);
        int buttonClicks = 0;
        QObject::connect(popover.button, &QPushButton::clicked, [&] { ++buttonClicks; });
        popover.window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&popover.window));
        clickAt(popover.header->infoButton());
        ChannelInfoPopover* bubble = popover.header->channelInfoPopover();
        ASSERT_TRUE(bubble->isVisible());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(bubble));

        row.perform(popover);
        QCoreApplication::processEvents();
        EXPECT_EQ(bubble->isVisible(), row.bubbleStays);
        EXPECT_EQ(popover.header->isChannelInfoPopoverPresented(), row.bubbleStays);
        EXPECT_EQ(buttonClicks, row.buttonClicks);
        EXPECT_EQ(popover.window.escapes, 0) << "Escape went past the bubble";
    }
}

TEST(WiFiNetworkHeaderRowTest, NewInputsRedrawTheRowAndALostBandTakesThePopoverAway) {
    WiFiNetworkHeaderRow row(snapshot(u"Office"_s, 36, WiFiBand::fiveGigahertz), true);
    layOut(row, 336);
    QTest::mouseClick(row.infoButton(), Qt::LeftButton);
    ASSERT_TRUE(row.isChannelInfoPopoverPresented());

    row.setInputs(snapshot(u"Home"_s, 11, std::nullopt), true);
    EXPECT_EQ(row.ssidText(), u"Home"_s);
    EXPECT_FALSE(row.showsChannelCapsule());
    EXPECT_FALSE(row.isChannelInfoPopoverPresented());
    EXPECT_FALSE(row.channelInfoPopover()->isVisible());
    EXPECT_EQ(row.channelDetailsText(), u"Channel 11"_s);

    // The dot follows the connection flag alone, the name the reading alone.
    row.setInputs(snapshot(u"Home"_s, 11, WiFiBand::unknown), false);
    EXPECT_EQ(row.ssidText(), u"Home"_s);
    EXPECT_EQ(row.dotColor(), QColor(255, 255, 255, 115));
    EXPECT_TRUE(row.showsChannelCapsule());
    EXPECT_EQ(row.bandText(), u"Unknown"_s);
}
