#include "UI/Settings/SettingsTabButton.h"

#include "Support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QColor primary(0x20, 0x20, 0x20);
const QColor accent(0x30, 0x8C, 0xC6);
const QColor tint(0x30, 0x8C, 0xC6, 36);

} // namespace

TEST(SettingsTabButtonTest, ASelectedButtonIsAccentedOnATintAndSemibold) {
    SettingsTabButton button(u"General"_s, u"slider.horizontal.3"_s, true, {});
    button.setColors(primary, accent, tint);
    EXPECT_EQ(button.text(), u"General"_s);
    EXPECT_EQ(button.systemImageName(), u"slider.horizontal.3"_s);
    EXPECT_EQ(button.foregroundColor(), accent);
    EXPECT_EQ(button.backgroundColor(), tint);
    EXPECT_EQ(button.titleFont().weight(), QFont::DemiBold);
    EXPECT_EQ(button.titleFont().pixelSize(), 13);
}

TEST(SettingsTabButtonTest, AnUnselectedButtonIsPrimaryOnNothingAndMedium) {
    SettingsTabButton button(u"About"_s, u"info.circle"_s, false, {});
    button.setColors(primary, accent, tint);
    EXPECT_EQ(button.foregroundColor(), primary);
    EXPECT_EQ(button.backgroundColor().alpha(), 0);
    EXPECT_EQ(button.titleFont().weight(), QFont::Medium);
    button.setSelected(true);
    EXPECT_EQ(button.foregroundColor(), accent);
}

TEST(SettingsTabButtonTest, APressRunsTheActionOnceAndTheButtonFillsItsRow) {
    int presses = 0;
    SettingsTabButton button(u"About"_s, u"info.circle"_s, false, [&presses] { ++presses; });
    button.resize(168, button.sizeHint().height());
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(150, button.height() / 2));
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(button.sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    // Padded 7 pt above and below the title.
    EXPECT_GE(button.sizeHint().height(), 13 + 14);
}
