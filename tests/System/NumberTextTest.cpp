#include "System/NumberText.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

#include <QString>
#include <QStringList>

TEST(NumberTextTest, ReadsDecimalTextWithAPoint) {
    EXPECT_EQ(numberFromText("12"), 12.0);
    EXPECT_EQ(numberFromText("0.4"), 0.4);
    EXPECT_EQ(numberFromText("007.250"), 7.25);
    EXPECT_EQ(numberFromText("1."), 1.0);
    EXPECT_EQ(numberFromText(".5"), 0.5);
    EXPECT_EQ(numberFromText("-3.5"), -3.5);
    EXPECT_EQ(numberFromText("1e3"), 1000.0);
}

TEST(NumberTextTest, TextTooLargeForARealReadsAsInfinity) {
    EXPECT_EQ(numberFromText(QString(400, u'9')), std::numeric_limits<double>::infinity());
}

TEST(NumberTextTest, RejectsTextThatIsNotWhollyANumber) {
    for (const QString& text :
         QStringList{"", ".", "1.2.3", "2..2", "1,5", " 1", "\t1", "1 ", "1\n", "12ms", "abc",
                     QString::fromUtf8("\u0661\u0662"), QStringLiteral("1") + QChar(u'\0') + "2"}) {
        EXPECT_EQ(numberFromText(text), std::nullopt) << text.toStdString();
    }
}
