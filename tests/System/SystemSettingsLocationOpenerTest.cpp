#include "System/SystemSettingsLocationOpener.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <vector>

namespace {

// Opens only the URLs the test allows, and records every attempt.
class FakeURLOpener final : public URLOpening {
public:
    bool open(const QUrl& url) override {
        attempts.push_back(url);
        return openable.contains(url.toString());
    }

    std::set<QString> openable;
    std::vector<QUrl> attempts;
};

const QUrl fallback =
    QUrl::fromLocalFile(QStringLiteral("/System/Applications/System Settings.app"));

QUrl paneURL(std::size_t index) {
    return QUrl(SystemSettingsLocationOpener::locationServicesPaneURLs.at(index));
}

} // namespace

class SystemSettingsLocationOpenerTest : public testing::Test {
protected:
    std::shared_ptr<FakeURLOpener> urlOpener = std::make_shared<FakeURLOpener>();
    SystemSettingsLocationOpener opener{urlOpener, fallback};
};

TEST_F(SystemSettingsLocationOpenerTest, TheCurrentLinkOpeningEndsTheAttempts) {
    urlOpener->openable = {paneURL(0).toString(), paneURL(1).toString(), fallback.toString()};

    EXPECT_TRUE(opener.openLocationServicesPane());
    EXPECT_EQ(urlOpener->attempts, std::vector{paneURL(0)});
}

TEST_F(SystemSettingsLocationOpenerTest, TheOlderLinkIsTriedSecond) {
    urlOpener->openable = {paneURL(1).toString(), fallback.toString()};

    EXPECT_TRUE(opener.openLocationServicesPane());
    EXPECT_EQ(urlOpener->attempts, (std::vector{paneURL(0), paneURL(1)}));
}

TEST_F(SystemSettingsLocationOpenerTest, OnlyTheFallbackOpeningStillSucceeds) {
    urlOpener->openable = {fallback.toString()};

    EXPECT_TRUE(opener.openLocationServicesPane());
    EXPECT_EQ(urlOpener->attempts, (std::vector{paneURL(0), paneURL(1), fallback}));
}

TEST_F(SystemSettingsLocationOpenerTest, NothingOpeningFails) {
    EXPECT_FALSE(opener.openLocationServicesPane());
    EXPECT_EQ(urlOpener->attempts, (std::vector{paneURL(0), paneURL(1), fallback}));
}

TEST_F(SystemSettingsLocationOpenerTest, BothLinksAreSettingsURLsOfTheLocationServicesEntry) {
    for (const QString& text : SystemSettingsLocationOpener::locationServicesPaneURLs) {
        const QUrl url(text, QUrl::StrictMode);
        EXPECT_TRUE(url.isValid()) << text.toStdString();
        EXPECT_EQ(url.scheme(), QStringLiteral("x-apple.systempreferences"));
        EXPECT_EQ(url.query(), QStringLiteral("Privacy_LocationServices"));
    }
    EXPECT_NE(paneURL(0), paneURL(1));
}
