#include "Platform/UserNotifications/NotificationBodyText.h"

#include "Support/QStringPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(NotificationBodyTextTest, MarkupCharactersAreEscapedOnlyForServersThatReadMarkup) {
    const QString body = u"Pelmor <i>2.0</i> & \"more\" is now available."_s;
    EXPECT_EQ(NotificationBodyText::prepared(body, false), body);
    EXPECT_EQ(NotificationBodyText::prepared(body, true),
              u"Pelmor &lt;i&gt;2.0&lt;/i&gt; &amp; \"more\" is now available."_s);
}

TEST(NotificationBodyTextTest, ABodyAtTheBoundIsKeptWhole) {
    const QString body(NotificationBodyText::maximumLength, u'x');
    EXPECT_EQ(NotificationBodyText::prepared(body, false), body);
}

TEST(NotificationBodyTextTest, ALongerBodyIsCutWithAnEllipsis) {
    const QString cut = NotificationBodyText::prepared(QString(600, u'x'), false);
    EXPECT_EQ(cut, QString(NotificationBodyText::maximumLength - 1, u'x') + QChar(0x2026));
}

TEST(NotificationBodyTextTest, TheCutNeverSplitsACharacterOutsideTheBasicPlane) {
    const QString face = u"\U0001F600"_s;
    const QString body =
        QString(NotificationBodyText::maximumLength - 2, u'x') + face + QString(10, u'y');
    EXPECT_EQ(NotificationBodyText::prepared(body, false),
              QString(NotificationBodyText::maximumLength - 2, u'x') + QChar(0x2026));
}

TEST(NotificationBodyTextTest, TheBoundCountsTheTextBeforeEscaping) {
    const QString escaped = NotificationBodyText::prepared(QString(600, u'&'), true);
    QString expected;
    for (qsizetype index = 0; index < NotificationBodyText::maximumLength - 1; ++index) {
        expected += u"&amp;"_s;
    }
    EXPECT_EQ(escaped, expected + QChar(0x2026));
}

TEST(NotificationBodyTextTest, NulCharactersAreDropped) {
    const QString body = u"Pelmor 1.0"_s + QChar(QChar::Null) + u" is here"_s;
    EXPECT_EQ(NotificationBodyText::prepared(body, false), u"Pelmor 1.0 is here"_s);
}
