#include "UI/Popover/SettingsOverlayCardModel.h"

#include "Support/QStringPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

AvailableUpdate update(std::optional<QString> notes) {
    return {.version = u"2.0 beta"_s,
            .buildNumber = 61,
            .releaseDate = u"2026-01-20"_s,
            .downloadUrl = u"https://updates.example/pelmor.tar.gz"_s,
            .releaseNotes = std::move(notes),
            .minimumSystemVersion = std::nullopt};
}

} // namespace

TEST(SettingsOverlayCardModelTest, TheModeBadgeNamesThePollingMode) {
    EXPECT_EQ(SettingsOverlayCardModel::modeBadgeText(true), u"Adaptive"_s);
    EXPECT_EQ(SettingsOverlayCardModel::modeBadgeText(false), u"Always Fast"_s);
}

TEST(SettingsOverlayCardModelTest, TheUpdateHeaderCarriesTheVersionAsOffered) {
    EXPECT_EQ(SettingsOverlayCardModel::updateHeaderText(update(std::nullopt)),
              u"Update available: 2.0 beta"_s);
}

TEST(SettingsOverlayCardModelTest, ReleaseNotesShowOnlyWhenThereAreAny) {
    EXPECT_EQ(SettingsOverlayCardModel::shownReleaseNotes(update(std::nullopt)), std::nullopt);
    EXPECT_EQ(SettingsOverlayCardModel::shownReleaseNotes(update(QString())), std::nullopt);
    EXPECT_EQ(SettingsOverlayCardModel::shownReleaseNotes(update(u"Fixes."_s)), u"Fixes."_s);
}
