#include "Core/WebURL.h"

#include "Support/QStringPrinter.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(WebURLTest, ParsesWellFormedAbsoluteAndRelativeReferencesOnly) {
    EXPECT_EQ(WebURL::parse(u"https://updates.example/v1/update?x=1"_s),
              QUrl(u"https://updates.example/v1/update?x=1"_s));
    EXPECT_EQ(WebURL::parse(u"../pelmor.dmg"_s), QUrl(u"../pelmor.dmg"_s));
    for (const QString& malformed : {u""_s, u"pelmor 2.dmg"_s, u"https://updates.example/%zz"_s,
                                     u"https://[::1/x"_s, u"https://updates.example:99999/"_s}) {
        EXPECT_FALSE(WebURL::parse(malformed)) << malformed.toStdString();
    }
}

TEST(WebURLTest, AWebURLIsHttpOrHttpsInAnyCaseWithAHost) {
    for (const QString& web : {u"http://updates.example"_s, u"HTTPS://Updates.Example/p.dmg"_s,
                               u"hTTp://127.0.0.1:8080/"_s}) {
        EXPECT_TRUE(WebURL::isWebURL(QUrl(web))) << web.toStdString();
    }
    for (const QString& other :
         {u"ftp://updates.example/p.dmg"_s, u"file:///tmp/p.dmg"_s, u"mailto:a@updates.example"_s,
          u"http:p.dmg"_s, u"https:///p.dmg"_s, u"//updates.example/p.dmg"_s, u"p.dmg"_s}) {
        EXPECT_FALSE(WebURL::isWebURL(QUrl(other))) << other.toStdString();
    }
    EXPECT_FALSE(WebURL::isWebURL(QUrl()));
}
