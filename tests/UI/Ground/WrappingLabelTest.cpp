#include "UI/Ground/WrappingLabel.h"

#include "UI/Ground/PopoverTheme.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

WrappingLabel label(const QString& text) {
    return WrappingLabel(text, PopoverTheme::microFont(), PopoverTheme::secondaryText());
}

} // namespace

TEST(WrappingLabelTest, ALongSentenceWrapsAndGrowsTaller) {
    const WrappingLabel sentence =
        label(u"Captive portal detected. Login may be required before internet access works."_s);
    EXPECT_EQ(sentence.lineCount(1000), 1);
    EXPECT_GE(sentence.lineCount(150), 3);
    EXPECT_GT(sentence.heightForWidth(150), 2 * sentence.heightForWidth(1000));
    EXPECT_EQ(sentence.accessibleName(), sentence.text());
}

// A URL has no word breaks; it still wraps instead of running past the edge.
TEST(WrappingLabelTest, AWordWiderThanTheLabelBreaksInsideTheWord) {
    const WrappingLabel url =
        label(u"https://login.hotspot-provider.example.com/portal/v2/session/start"_s);
    EXPECT_GE(url.lineCount(100), 3);
}

TEST(WrappingLabelTest, ALineFeedStartsANewLine) {
    EXPECT_EQ(label(u"First line\nSecond line"_s).lineCount(1000), 2);
}

TEST(WrappingLabelTest, ANewTextChangesTheHeight) {
    WrappingLabel status = label(u"Short."_s);
    const int before = status.heightForWidth(120);
    status.setText(u"Connection monitor failed to read TCP states. Retrying at the next poll."_s);
    EXPECT_GT(status.heightForWidth(120), before);
}
