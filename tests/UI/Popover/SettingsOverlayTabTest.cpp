#include "UI/Popover/SettingsOverlayTab.h"

#include "Support/QStringPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(SettingsOverlayTabTest, GeneralThenAboutIdentifiedByTheirRawValues) {
    const auto cases = SettingsOverlayTab::allCases();
    ASSERT_EQ(cases.size(), 2U);
    EXPECT_EQ(cases[0], SettingsOverlayTab::general);
    EXPECT_EQ(cases[1], SettingsOverlayTab::about);
    EXPECT_EQ(SettingsOverlayTab(SettingsOverlayTab::general).rawValue(), u"general"_s);
    EXPECT_EQ(SettingsOverlayTab(SettingsOverlayTab::about).rawValue(), u"about"_s);
    EXPECT_EQ(SettingsOverlayTab::fromRawValue(u"about"_s), SettingsOverlayTab::about);
    EXPECT_EQ(SettingsOverlayTab::fromRawValue(u"About"_s), std::nullopt);
}

TEST(SettingsOverlayTabTest, EachTabHasItsTitleAndSymbol) {
    EXPECT_EQ(SettingsOverlayTabs::title(SettingsOverlayTab::general), u"General"_s);
    EXPECT_EQ(SettingsOverlayTabs::title(SettingsOverlayTab::about), u"About"_s);
    EXPECT_EQ(SettingsOverlayTabs::symbolName(SettingsOverlayTab::general),
              u"slider.horizontal.3"_s);
    EXPECT_EQ(SettingsOverlayTabs::symbolName(SettingsOverlayTab::about), u"info.circle"_s);
}
