#include "UI/Popover/LineLimitedLabel.h"

#include "Support/QStringPrinter.h"
#include "UI/Ground/PopoverTheme.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString longText =
    u"Faster channel scans, a clearer bufferbloat grade and fixes for networks whose names hold "
    u"emoji. The radar window now remembers its frame between launches."_s;

} // namespace

TEST(LineLimitedLabelTest, AShortTextTakesOneLineUncut) {
    LineLimitedLabel label(u"Fixes."_s, PopoverTheme::microFont(), Qt::white, 2);
    EXPECT_EQ(label.shownLines(300), QStringList{u"Fixes."_s});
    const QFontMetricsF metrics(PopoverTheme::microFont());
    EXPECT_EQ(label.heightForWidth(300), int(std::ceil(metrics.lineSpacing())));
}

TEST(LineLimitedLabelTest, ALongTextIsCutAtTheEndOfTheLastLineAllowed) {
    LineLimitedLabel label(longText, PopoverTheme::microFont(), Qt::white, 2);
    const QStringList lines = label.shownLines(200);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].endsWith(QChar(0x2026))) << lines[1].toStdString();
    EXPECT_TRUE(longText.startsWith(lines[0])) << lines[0].toStdString();
    const QFontMetricsF metrics(PopoverTheme::microFont());
    for (const QString& line : lines) {
        EXPECT_LE(metrics.horizontalAdvance(line), 200.0) << line.toStdString();
    }
    EXPECT_EQ(label.heightForWidth(200), int(std::ceil(2 * metrics.lineSpacing())));
    EXPECT_EQ(label.text(), longText) << "the whole text is kept";
}

TEST(LineLimitedLabelTest, ATextOfExactlyTheAllowedLinesIsNotCut) {
    LineLimitedLabel label(u"first\nsecond"_s, PopoverTheme::microFont(), Qt::white, 2);
    EXPECT_EQ(label.shownLines(300), (QStringList{u"first"_s, u"second"_s}));
    label.setText(u"first\nsecond\nthird"_s);
    EXPECT_EQ(label.shownLines(300), (QStringList{u"first"_s, u"second third\u2026"_s}));
}
