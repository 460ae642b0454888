#include "UI/Ground/LineLimitedLabel.h"

#include "Support/QStringPrinter.h"
#include "UI/Ground/SystemFont.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString longText =
    u"Faster channel scans on 6 GHz, a clearer speed-test summary with bufferbloat grades for "
    "download and upload, fewer false captive-portal warnings on hotel networks, and many "
    "smaller fixes."_s;
constexpr int narrow = 200;

QString joined(const QStringList& lines) {
    return lines.join(u' ');
}

} // namespace

TEST(LineLimitedLabelTest, TextThatFitsIsShownWhole) {
    const LineLimitedLabel label(u"v1.4.2 (57)"_s, SystemFont::font(13), Qt::black, 2);
    EXPECT_EQ(label.displayedLines(narrow), QStringList{u"v1.4.2 (57)"_s});
    EXPECT_FALSE(label.isCut(narrow));
}

TEST(LineLimitedLabelTest, LongTextWrapsOntoTheLimitAndEndsInAnEllipsis) {
    const LineLimitedLabel label(longText, SystemFont::font(13), Qt::black, 2);
    const QStringList lines = label.displayedLines(narrow);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(label.isCut(narrow));
    EXPECT_TRUE(lines[1].endsWith(u"\u2026"_s));
    // What is shown is the start of the text, word for word.
    QString shown = joined(lines);
    shown.chop(1);
    EXPECT_TRUE(longText.startsWith(shown)) << shown.toStdString();
    EXPECT_GT(shown.size(), 20);
}

TEST(LineLimitedLabelTest, ItIsAsHighAsItsLinesAndNoHigher) {
    const LineLimitedLabel one(u"Stable"_s, SystemFont::font(13), Qt::black, 3);
    const LineLimitedLabel cut(longText, SystemFont::font(13), Qt::black, 3);
    const LineLimitedLabel all(longText, SystemFont::font(13), Qt::black, 20);
    EXPECT_EQ(cut.displayedLines(narrow).size(), 3);
    EXPECT_GT(all.displayedLines(narrow).size(), 3);
    EXPECT_NEAR(cut.heightForWidth(narrow), 3 * one.heightForWidth(narrow), 2);
    EXPECT_GT(all.heightForWidth(narrow), cut.heightForWidth(narrow));
}

TEST(LineLimitedLabelTest, ALineBreakInTheTextStartsANewLine) {
    const LineLimitedLabel label(u"first\nsecond\nthird"_s, SystemFont::font(13), Qt::black, 2);
    EXPECT_EQ(label.displayedLines(narrow), (QStringList{u"first"_s, u"second\u2026"_s}));
}

TEST(LineLimitedLabelTest, AOneLineLimitCutsTheFirstLine) {
    const LineLimitedLabel label(longText, SystemFont::font(13), Qt::black, 1);
    const QStringList lines = label.displayedLines(narrow);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].endsWith(u"\u2026"_s));
    EXPECT_TRUE(longText.startsWith(lines[0].chopped(1)));
}

TEST(LineLimitedLabelTest, ADoubleClickSelectsAllAndCopyingGivesTheWholeText) {
    LineLimitedLabel label(longText, SystemFont::font(13), Qt::black, 2);
    label.setTextSelectable(true);
    label.resize(narrow, label.heightForWidth(narrow));
    label.show();
    QApplication::clipboard()->clear();
    QTest::mouseDClick(&label, Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(label.selectedText(), longText);
    QTest::keySequence(&label, QKeySequence::Copy);
    EXPECT_EQ(QApplication::clipboard()->text(), longText);
}

TEST(LineLimitedLabelTest, DraggingSelectsPartOfTheTextAndPastTheEllipsisTheRest) {
    LineLimitedLabel label(longText, SystemFont::font(13), Qt::black, 2);
    label.setTextSelectable(true);
    label.resize(narrow, label.heightForWidth(narrow));
    label.show();
    const int firstLine = label.heightForWidth(narrow) / 4;
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(0, firstLine));
    QTest::mouseMove(&label, QPoint(60, firstLine));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(60, firstLine));
    const QString part = label.selectedText();
    EXPECT_FALSE(part.isEmpty());
    EXPECT_TRUE(longText.startsWith(part));
    EXPECT_LT(part.size(), 20);

    const int lastLine = label.height() - 3;
    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(0, firstLine));
    QTest::mouseMove(&label, QPoint(narrow - 1, lastLine));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(narrow - 1, lastLine));
    EXPECT_EQ(label.selectedText(), longText);
}

TEST(LineLimitedLabelTest, WithoutSelectionNothingIsSelectedOrCopied) {
    LineLimitedLabel label(u"4f2c9e1"_s, SystemFont::font(13), Qt::black, 2);
    label.resize(narrow, label.heightForWidth(narrow));
    label.show();
    QApplication::clipboard()->setText(u"before"_s);
    QTest::mouseDClick(&label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keySequence(&label, QKeySequence::Copy);
    EXPECT_FALSE(label.hasSelection());
    EXPECT_EQ(QApplication::clipboard()->text(), u"before"_s);
}

TEST(LineLimitedLabelTest, NewTextClearsTheSelection) {
    LineLimitedLabel label(u"4f2c9e1"_s, SystemFont::font(13), Qt::black, 2);
    label.setTextSelectable(true);
    label.selectAll();
    EXPECT_TRUE(label.hasSelection());
    label.setText(u"5a3d0f2"_s);
    EXPECT_FALSE(label.hasSelection());
    EXPECT_EQ(label.accessibleName(), u"5a3d0f2"_s);
}
