#include "UI/Settings/SettingsTab.h"

#include "Support/QStringPrinter.h"

#include <gtest/gtest.h>
#include <unordered_set>

#include <QSet>

TEST(SettingsTabTest, GeneralComesFirstThenAbout) {
    const auto cases = SettingsTab::allCases();
    ASSERT_EQ(cases.size(), 2u);
    EXPECT_EQ(cases[0], SettingsTab::general);
    EXPECT_EQ(cases[1], SettingsTab::about);
    EXPECT_EQ(cases[0].rawValue(), "general");
    EXPECT_EQ(cases[1].rawValue(), "about");
}

TEST(SettingsTabTest, TitlesAreTheRawValuesCapitalised) {
    EXPECT_EQ(settingsTabTitle(SettingsTab::general), "General");
    EXPECT_EQ(settingsTabTitle(SettingsTab::about), "About");
}

TEST(SettingsTabTest, EachTabHasItsSymbol) {
    EXPECT_EQ(settingsTabSymbolName(SettingsTab::general), "slider.horizontal.3");
    EXPECT_EQ(settingsTabSymbolName(SettingsTab::about), "info.circle");
}

TEST(SettingsTabTest, OnlyTheExactRawValuesMakeATab) {
    EXPECT_EQ(SettingsTab::fromRawValue("general"), SettingsTab(SettingsTab::general));
    EXPECT_EQ(SettingsTab::fromRawValue("about"), SettingsTab(SettingsTab::about));
    EXPECT_EQ(SettingsTab::fromRawValue("About"), std::nullopt);
    EXPECT_EQ(SettingsTab::fromRawValue(" general"), std::nullopt);
    EXPECT_EQ(SettingsTab::fromRawValue(""), std::nullopt);
}

TEST(SettingsTabTest, TabsHashByValue) {
    const std::unordered_set<SettingsTab> standard{SettingsTab::general, SettingsTab::about,
                                                   SettingsTab::general};
    EXPECT_EQ(standard.size(), 2u);
    const QSet<SettingsTab> qt{SettingsTab::about, SettingsTab::about};
    EXPECT_EQ(qt.size(), 1);
    EXPECT_TRUE(qt.contains(SettingsTab::about));
    EXPECT_FALSE(qt.contains(SettingsTab::general));
}
