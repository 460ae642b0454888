#include "UI/Popover/BadgeContent.h"

#include "Support/QStringPrinter.h"
#include "UI/Ground/NamedColors.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(BadgeContentTest, HealthStatesReadCapitalisedInTheirTint) {
    EXPECT_EQ(BadgeContent::forHealthState(HealthState::good),
              (BadgeContent{u"Good"_s, NamedColors::green}));
    EXPECT_EQ(BadgeContent::forHealthState(HealthState::warning),
              (BadgeContent{u"Warning"_s, NamedColors::orange}));
    EXPECT_EQ(BadgeContent::forHealthState(HealthState::poor),
              (BadgeContent{u"Poor"_s, NamedColors::red}));
    EXPECT_EQ(BadgeContent::forHealthState(HealthState::disconnected),
              (BadgeContent{u"Disconnected"_s, NamedColors::gray}));
}

TEST(BadgeContentTest, SignalQualitiesReadCapitalisedInTheirTint) {
    EXPECT_EQ(BadgeContent::forSignalQuality(SignalQuality::good),
              (BadgeContent{u"Good"_s, NamedColors::green}));
    EXPECT_EQ(BadgeContent::forSignalQuality(SignalQuality::warning),
              (BadgeContent{u"Warning"_s, NamedColors::orange}));
    EXPECT_EQ(BadgeContent::forSignalQuality(SignalQuality::poor),
              (BadgeContent{u"Poor"_s, NamedColors::red}));
}

TEST(BadgeContentTest, OnlyTheFirstLetterIsCapitalised) {
    EXPECT_EQ(BadgeContent::capitalizedFirstLetter(u"contentInjection"_s), u"ContentInjection"_s);
    EXPECT_EQ(BadgeContent::capitalizedFirstLetter(u"x"_s), u"X"_s);
    EXPECT_EQ(BadgeContent::capitalizedFirstLetter(QString()), QString());
}
