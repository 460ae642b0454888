#include "UI/Settings/SettingsGeneralPageContent.h"

#include "Support/QStringPrinter.h"

#include <gtest/gtest.h>

TEST(SettingsGeneralPageContentTest, BatteryFriendlyReadsAdaptive) {
    const auto content = SettingsGeneralPageContent::make(true, false, false);
    EXPECT_TRUE(content.isBatteryFriendlyOn);
    EXPECT_EQ(content.batteryModeBadge, "Adaptive");
    EXPECT_FALSE(content.isLaunchAtLoginOn);
    EXPECT_FALSE(content.showsApprovalRow);
}

TEST(SettingsGeneralPageContentTest, AlwaysFastWhenNotBatteryFriendly) {
    const auto content = SettingsGeneralPageContent::make(false, true, false);
    EXPECT_FALSE(content.isBatteryFriendlyOn);
    EXPECT_EQ(content.batteryModeBadge, "Always Fast");
    EXPECT_TRUE(content.isLaunchAtLoginOn);
}

TEST(SettingsGeneralPageContentTest, TheApprovalRowFollowsTheApprovalFlagAlone) {
    EXPECT_TRUE(SettingsGeneralPageContent::make(true, false, true).showsApprovalRow);
    EXPECT_FALSE(SettingsGeneralPageContent::make(true, false, true).isLaunchAtLoginOn);
    EXPECT_FALSE(SettingsGeneralPageContent::make(true, true, false).showsApprovalRow);
}
