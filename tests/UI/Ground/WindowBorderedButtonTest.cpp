#include "UI/Ground/WindowBorderedButton.h"

#include "Support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// A double-click as Qt delivers it: press, release, double-click, release.
void doubleClick(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
    QTest::mouseDClick(widget, Qt::LeftButton);
    QTest::mouseRelease(widget, Qt::LeftButton);
}

} // namespace

TEST(WindowBorderedButtonTest, EachClickEmitsOnceAndTheSecondPressOfADoubleClickIsIgnored) {
    WindowBorderedButton button(u"Scan Now"_s);
    button.resize(button.sizeHint());
    button.show();
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);

    // A click turns "Scan Now" into "Cancel" in place; the rest of the same
    // double-click must not press "Cancel".
    QObject::connect(&button, &QAbstractButton::clicked, &button,
                     [&button] { button.setTitle(u"Cancel"_s); });
    doubleClick(&button);
    EXPECT_EQ(clicked.count(), 2);
    EXPECT_EQ(button.title(), u"Cancel"_s);
    EXPECT_FALSE(button.isDown());
    EXPECT_TRUE(button.isEnabled());
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 3) << "a single click after a double-click";
}

// The release of a double-click may never reach the button: the click hid it
// (a cancelled scan's "Cancel"), or the release went elsewhere. The next click
// is a whole click all the same.
TEST(WindowBorderedButtonTest, ADoubleClickWhoseReleaseWentElsewhereSwallowsNoLaterClick) {
    for (const bool hiddenBetween : {true, false}) {
        WindowBorderedButton button(u"Cancel"_s);
        button.resize(button.sizeHint());
        button.show();
        QSignalSpy clicked(&button, &QAbstractButton::clicked);
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseDClick(&button, Qt::LeftButton);
        if (hiddenBetween) {
            button.hide();
            button.show();
        }
        QTest::mouseClick(&button, Qt::LeftButton);
        EXPECT_EQ(clicked.count(), 2) << (hiddenBetween ? "hidden" : "release lost");
        EXPECT_FALSE(button.isDown()) << (hiddenBetween ? "hidden" : "release lost");
    }
}

TEST(WindowBorderedButtonTest, ANewTitleChangesTheTextAndSizeOfTheSameWidget) {
    WindowBorderedButton button(u"Retest"_s);
    const QSize shortSize = button.sizeHint();
    button.setPadding(12, 7);
    EXPECT_EQ(button.sizeHint(), shortSize);
    button.setTitle(u"Run Another Test Now"_s);
    EXPECT_EQ(button.title(), u"Run Another Test Now"_s);
    EXPECT_EQ(button.accessibleName(), u"Run Another Test Now"_s);
    EXPECT_GT(button.sizeHint().width(), shortSize.width());
    EXPECT_EQ(button.sizeHint().height(), shortSize.height());
    button.setPadding(20, 10);
    EXPECT_EQ(button.sizeHint().height(), shortSize.height() + 6);
}

TEST(WindowBorderedButtonTest, ATitleWiderThanTheButtonIsElidedAsPlainText) {
    WindowBorderedButton button(u"<b>Scan</b> & Compare Channels"_s);
    button.resize(button.sizeHint());
    EXPECT_EQ(button.displayedTitle(), button.title());
    button.resize(button.sizeHint().width() / 2, button.sizeHint().height());
    EXPECT_TRUE(button.displayedTitle().endsWith(u"\u2026"_s));
    EXPECT_TRUE(button.displayedTitle().startsWith(u"<b>"_s));
}

TEST(WindowBorderedButtonTest, TheOutlineIsDrawnOverTheFillWhichAPressLightens) {
    WindowBorderedButton button(u"Run Test"_s);
    button.setFillColor(QColor(0, 0, 128));
    button.setBorderColor(QColor(255, 0, 0));
    button.setBorderWidth(2);
    button.setCornerRadius(0);
    button.resize(button.sizeHint());
    const auto pixels = [&button] {
        QImage image(button.size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        button.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return std::pair(image.pixelColor(button.width() / 2, 1),
                         image.pixelColor(4, button.height() / 2));
    };
    const auto [edge, inside] = pixels();
    EXPECT_EQ(edge, QColor(255, 0, 0));
    EXPECT_EQ(inside, QColor(0, 0, 128));
    button.setDown(true);
    const QColor pressed = pixels().second;
    EXPECT_GT(pressed.blue(), 128);
    EXPECT_LT(pressed.blue(), 170);
}
