#include "System/WorkspaceURLOpener.h"

#include <gtest/gtest.h>
#include <vector>

#include <QDesktopServices>
#include <QObject>

namespace {

// Takes the URLs of a scheme of its own, so that no test reaches the desktop.
class URLCatcher : public QObject {
    Q_OBJECT
public:
    std::vector<QUrl> caught;

public slots:
    void catchURL(const QUrl& url) { caught.push_back(url); }
};

const QString testScheme = QStringLiteral("pelmor-test");

} // namespace

class WorkspaceURLOpenerTest : public testing::Test {
protected:
    void SetUp() override { QDesktopServices::setUrlHandler(testScheme, &catcher, "catchURL"); }
    void TearDown() override { QDesktopServices::unsetUrlHandler(testScheme); }

    URLCatcher catcher;
    WorkspaceURLOpener opener;
};

TEST_F(WorkspaceURLOpenerTest, HandsTheURLToTheWorkspaceAndReportsItOpened) {
    const QUrl url(QStringLiteral("pelmor-test:settings?pane=location"));

    EXPECT_TRUE(opener.open(url));
    EXPECT_EQ(catcher.caught, std::vector{url});
}

TEST_F(WorkspaceURLOpenerTest, AnInvalidURLIsNotOpened) {
    EXPECT_FALSE(opener.open(QUrl()));
    EXPECT_FALSE(opener.open(QUrl(QStringLiteral("http://exa mple.com"), QUrl::StrictMode)));
    EXPECT_TRUE(catcher.caught.empty());
}

#include "WorkspaceURLOpenerTest.moc"
