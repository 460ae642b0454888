#include "UI/Popover/WiFiNetworkHeaderRow.h"

#include "Support/QStringPrinter.h"
#include "UI/Ground/NamedColors.h"
#include "UI/Ground/SymbolButton.h"
#include "UI/Popover/ChannelInfoPopover.h"
#include "UI/ViewInspection.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

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
    enum class Act {
        pressElsewhere,
        pressOnTheBubble,
        pressOnTheInfoButton,
        escape,
        switchPage,
        showBannerAbove,
        scroll
    };
    const struct {
        Act act;
        bool bubbleStays;
        int buttonClicks;
    } rows[] = {
        {Act::pressElsewhere, false, 1},
        {Act::pressOnTheBubble, true, 0},
        {Act::pressOnTheInfoButton, false, 0},
        {Act::escape, false, 0},
        {Act::switchPage, false, 0},
        {Act::showBannerAbove, false, 0},
        {Act::scroll, false, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(int(row.act));
        EscapeCountingWindow window;
        auto* scrollArea = new QScrollArea;
        scrollArea->setWidgetResizable(true);
        scrollArea->setFixedHeight(160);
        auto* banner = new QWidget;
        banner->setFixedHeight(42);
        banner->hide();
        auto* page = new QWidget;
        auto* header =
            new WiFiNetworkHeaderRow(snapshot(u"Office"_s, 36, WiFiBand::fiveGigahertz), true);
        auto* button = new QPushButton(u"Toolbox"_s);
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->addWidget(banner);
        pageLayout->addWidget(header);
        pageLayout->addSpacing(60); // clear of the bubble
        pageLayout->addWidget(button);
        pageLayout->addSpacing(200); // room to scroll
        scrollArea->setWidget(page);
        (new QVBoxLayout(&window))->addWidget(scrollArea);
        int buttonClicks = 0;
        QObject::connect(button, &QPushButton::clicked, [&] { ++buttonClicks; });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        const auto clickAt = [&](QWidget* target) {
            QWindow* handle = target->window()->windowHandle();
            QTest::mouseClick(handle, Qt::LeftButton, {},
                              target->mapTo(target->window(), target->rect().center()));
        };
        clickAt(header->infoButton());
        ChannelInfoPopover* bubble = header->channelInfoPopover();
        ASSERT_TRUE(bubble->isVisible());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(bubble));

        switch (row.act) {
        case Act::pressElsewhere:
            clickAt(button);
            break;
        case Act::pressOnTheBubble:
            clickAt(bubble);
            break;
        case Act::pressOnTheInfoButton:
            clickAt(header->infoButton());
            break;
        case Act::escape:
            QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
            break;
        case Act::switchPage:
            page->hide();
            break;
        case Act::showBannerAbove:
            banner->show();
            break;
        case Act::scroll:
            scrollArea->verticalScrollBar()->setValue(12);
            break;
        }
        QCoreApplication::processEvents();
        EXPECT_EQ(bubble->isVisible(), row.bubbleStays);
        EXPECT_EQ(header->isChannelInfoPopoverPresented(), row.bubbleStays);
        EXPECT_EQ(buttonClicks, row.buttonClicks);
        EXPECT_EQ(window.escapes, 0) << "Escape went past the bubble";
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
