#include "UI/Ground/OneLineDisplayForm.h"

#include "Support/QStringPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(OneLineDisplayFormTest, ControlsAreShownAndBidirectionalControlsAreNotObeyed) {
    struct Case {
        QString text;
        QString shown;
    };
    const QString replacement = u"\uFFFD"_s;
    const std::vector<Case> cases{
        {u"Linden House 5G"_s, u"Linden House 5G"_s},
        {u"Åsa’s Wi\u2011Fi 東京 שלום \u00A0\u200F📶"_s,
         u"Åsa’s Wi\u2011Fi 東京 שלום \u00A0\u200F📶"_s},
        {u""_s, u""_s},
        {u"A\tB"_s, u"A B"_s},
        {u"A\nB\rC\r\nD\vE\fF\u0085G\u2028H\u2029I"_s, u"A B C  D E F G H I"_s},
        {QString(QChar(0x00)) + u"A\u0001\u001B\u007F\u0080\u009F"_s,
         replacement + u"A"_s + replacement.repeated(5)},
        {u"\u202Agnp\u202B.\u202Cexe\u202D\u202E"_s, replacement + u"gnp"_s + replacement + u"."_s +
                                                         replacement + u"exe"_s +
                                                         replacement.repeated(2)},
        {u"\u2066a\u2067b\u2068c\u2069"_s,
         replacement + u"a"_s + replacement + u"b"_s + replacement + u"c"_s + replacement},
    };
    for (const Case& testCase : cases) {
        EXPECT_EQ(OneLineDisplayForm::of(testCase.text), testCase.shown)
            << testCase.text.toStdString();
    }
}

// A text the application composed keeps the isolate it set a localized value
// apart with; every other control is shown as in any text.
TEST(OneLineDisplayFormTest, AComposedTextObeysItsFirstStrongIsolatesAlone) {
    const QString replacement = u"\uFFFD"_s;
    EXPECT_EQ(OneLineDisplayForm::ofComposed(u"Last tested at \u2068\u0663:\u0664\u0661\u2069."_s),
              u"Last tested at \u2068\u0663:\u0664\u0661\u2069."_s);
    EXPECT_EQ(OneLineDisplayForm::ofComposed(u"\u2066a\u202Eb\u0001\tc"_s),
              replacement + u"a"_s + replacement + u"b"_s + replacement + u" c"_s);
}
