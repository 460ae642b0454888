#include "UI/Settings/SettingsAboutPageContent.h"

#include "Support/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

const AppBuildMetadataDisplayInfo metadata{"v1.4.2 (57)", "4f2c9e1", "March 14, 2026"};

AvailableUpdate update(const QString& version, std::optional<QString> notes) {
    return {.version = version,
            .buildNumber = 63,
            .releaseDate = "2026-04-02",
            .downloadUrl = "https://updates.example/pelmor.tar.gz",
            .releaseNotes = std::move(notes),
            .minimumSystemVersion = std::nullopt};
}

} // namespace

TEST(SettingsAboutPageContentTest, TheBuildRowsShowTheBuildAndTheStableChannel) {
    const auto content = SettingsAboutPageContent::make(metadata, std::nullopt, false);
    const std::vector<SettingsAboutPageContent::Row> expected{{"Current Version", "v1.4.2 (57)"},
                                                              {"Build ID", "4f2c9e1"},
                                                              {"Release Date", "March 14, 2026"},
                                                              {"Build Channel", "Stable"}};
    EXPECT_EQ(content.buildRows, expected);
}

TEST(SettingsAboutPageContentTest, WithoutAnUpdateThereIsNoCardAndTheButtonIsReady) {
    const auto content = SettingsAboutPageContent::make(metadata, std::nullopt, false);
    EXPECT_EQ(content.updateCard, std::nullopt);
    EXPECT_FALSE(content.showsCheckProgress);
    EXPECT_TRUE(content.isCheckButtonEnabled);
    EXPECT_EQ(SettingsAboutPageContent::checkButtonTitle, "Check for Updates");
}

TEST(SettingsAboutPageContentTest, WhileCheckingTheButtonShowsProgressAndIsDisabled) {
    const auto content = SettingsAboutPageContent::make(metadata, std::nullopt, true);
    EXPECT_TRUE(content.showsCheckProgress);
    EXPECT_FALSE(content.isCheckButtonEnabled);
}

TEST(SettingsAboutPageContentTest, TheCardTitleJoinsTheVersionWithoutASpace) {
    const auto content =
        SettingsAboutPageContent::make(metadata, update("2.1.0", "Faster scans."), false);
    ASSERT_TRUE(content.updateCard.has_value());
    EXPECT_EQ(content.updateCard->title, "Update Available: v2.1.0");
    EXPECT_EQ(content.updateCard->releaseNotes, std::optional<QString>("Faster scans."));
}

TEST(SettingsAboutPageContentTest, AbsentOrEmptyNotesShowNoNotes) {
    EXPECT_EQ(SettingsAboutPageContent::updateCardFor(update("2.1.0", std::nullopt)).releaseNotes,
              std::nullopt);
    EXPECT_EQ(SettingsAboutPageContent::updateCardFor(update("2.1.0", QString())).releaseNotes,
              std::nullopt);
    EXPECT_EQ(SettingsAboutPageContent::updateCardFor(update("2.1.0", " ")).releaseNotes,
              std::optional<QString>(" "));
}
