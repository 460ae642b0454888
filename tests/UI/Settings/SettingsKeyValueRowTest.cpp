#include "UI/Settings/SettingsKeyValueRow.h"

#include "Support/QStringPrinter.h"
#include "UI/Ground/LineLimitedLabel.h"
#include "UI/Ground/OneLineLabel.h"
#include "UI/ViewInspection.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString longBuildID =
    u"release/1.4.2+4f2c9e1b7a0d3c58e6f19b2a7c4d8e0f13a5b6c7-linux-x86_64-gcc12-relwithdebinfo-"
    "reproducible-build-with-a-very-long-identifier-that-needs-cutting"_s;

} // namespace

TEST(SettingsKeyValueRowTest, ShowsTheKeyThenTheValue) {
    SettingsKeyValueRow row(u"Build ID"_s, u"4f2c9e1"_s);
    ViewInspection::layOut(row, 480);
    EXPECT_EQ(ViewInspection::shownTexts(row), (QStringList{u"Build ID"_s, u"4f2c9e1"_s}));
    EXPECT_EQ(row.key(), u"Build ID"_s);
    EXPECT_EQ(row.value(), u"4f2c9e1"_s);
    EXPECT_EQ(row.valueLabel()->x(), 130);
}

TEST(SettingsKeyValueRowTest, TheKeyColumnStays120PointsWideAtEveryWidth) {
    SettingsKeyValueRow row(u"Current Version"_s, longBuildID);
    for (const int width : {300, 480, 900}) {
        ViewInspection::layOut(row, width);
        EXPECT_EQ(row.keyLabel()->width(), 120) << width;
        EXPECT_EQ(row.valueLabel()->x(), 130) << width;
        EXPECT_EQ(row.valueLabel()->width(), width - 130) << width;
    }
}

TEST(SettingsKeyValueRowTest, ALongValueWrapsOntoASecondLineAndIsThenCut) {
    SettingsKeyValueRow shortRow(u"Build ID"_s, u"4f2c9e1"_s);
    SettingsKeyValueRow longRow(u"Build ID"_s, longBuildID);
    ViewInspection::layOut(shortRow, 480);
    ViewInspection::layOut(longRow, 480);
    const QStringList lines = longRow.valueLabel()->displayedLines(longRow.valueLabel()->width());
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].endsWith(u"\u2026"_s));
    EXPECT_GT(longRow.height(), shortRow.height() + 10);
    EXPECT_LT(longRow.height(), 3 * shortRow.height());
}

TEST(SettingsKeyValueRowTest, TheValueCanBeSelectedAndCopiedWhole) {
    SettingsKeyValueRow row(u"Build ID"_s, longBuildID);
    ViewInspection::layOut(row, 480);
    LineLimitedLabel* value = row.valueLabel();
    EXPECT_TRUE(value->isTextSelectable());
    QTest::mouseDClick(value, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::keySequence(value, QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), longBuildID);
}
