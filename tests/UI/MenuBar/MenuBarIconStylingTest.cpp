#include "UI/MenuBar/MenuBarIconStyling.h"

#include "Persistence/InMemoryAppSettingsStore.h"
#include "UI/MenuBar/UserDefaultsColorfulIconSettingsProvider.h"

#include <gtest/gtest.h>

TEST(MenuBarIconStylingTest, EachStateHasItsBadgeTintedOnlyWhenColourful) {
    const std::vector<std::tuple<HealthState, QString, MenuBarBadgeTint>> table{
        {HealthState::good, "checkmark.circle.fill", MenuBarBadgeTint::green},
        {HealthState::warning, "exclamationmark.circle.fill", MenuBarBadgeTint::orange},
        {HealthState::poor, "xmark.circle.fill", MenuBarBadgeTint::red},
        {HealthState::disconnected, "pause.circle.fill", MenuBarBadgeTint::gray}};
    for (const auto& [state, symbol, tint] : table) {
        EXPECT_EQ(MenuBarIconStyling::style(state, true), (MenuBarIconStyle{symbol, tint}))
            << state.rawValue().toStdString();
        EXPECT_EQ(MenuBarIconStyling::style(state, false),
                  (MenuBarIconStyle{symbol, MenuBarBadgeTint::none}))
            << state.rawValue().toStdString();
    }
}

TEST(MenuBarIconStylingTest, TheColourfulSettingIsReadAfreshOnEveryCall) {
    auto store = std::make_shared<InMemoryAppSettingsStore>();
    const UserDefaultsColorfulIconSettingsProvider provider(store);
    store->setColorfulIcon(false);
    EXPECT_FALSE(provider.isColorfulIconEnabled());
    store->setColorfulIcon(true);
    EXPECT_TRUE(provider.isColorfulIconEnabled());
}
