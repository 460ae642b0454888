#include "Platform/ServiceManagement/LoginItemService.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class LoginItemServiceTest : public testing::Test {
protected:
    QTemporaryDir configHome;
    QString autostart = configHome.filePath("autostart");
    QList<QUrl> openedURLs;
    LoginItemService service{autostart, {"/opt/My Apps/pelmor"}, [this](const QUrl& url) {
                                 openedURLs.append(url);
                                 return true;
                             }};
};

TEST_F(LoginItemServiceTest, RegisteringWritesAnAutostartEntryThatRunsTheApplication) {
    EXPECT_EQ(service.status(), LoginItemService::Status::notRegistered);
    service.registerItem();
    EXPECT_EQ(service.status(), LoginItemService::Status::enabled);
    QFile entry(autostart + "/pelmor.desktop");
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QString contents = QString::fromUtf8(entry.readAll());
    EXPECT_TRUE(contents.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(contents.contains("\nType=Application\n"));
    EXPECT_TRUE(contents.contains("\nExec=\"/opt/My Apps/pelmor\"\n"));
    // Written through a temporary file: nothing else is left in the folder.
    EXPECT_EQ(QDir(autostart).entryList(QDir::Files | QDir::Hidden), QStringList{"pelmor.desktop"});
}

TEST_F(LoginItemServiceTest, UnregisteringRemovesTheEntryAndToleratesItsAbsence) {
    service.registerItem();
    service.unregisterItem();
    EXPECT_EQ(service.status(), LoginItemService::Status::notRegistered);
    EXPECT_NO_THROW(service.unregisterItem());
}

TEST_F(LoginItemServiceTest, FoldersThatCannotBeWrittenGiveADescribedError) {
    QFile blocker(configHome.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    LoginItemService blocked(configHome.filePath("blocker/autostart"), {"/usr/bin/pelmor"});
    try {
        blocked.registerItem();
        FAIL() << "registering under a file succeeded";
    } catch (const LoginItemService::Error& error) {
        EXPECT_FALSE(error.description().isEmpty());
    }
    // An entry that cannot be removed (here a folder in its place) is an error too.
    ASSERT_TRUE(QDir().mkpath(autostart + "/pelmor.desktop/inside"));
    EXPECT_THROW(service.unregisterItem(), LoginItemService::Error);
}

TEST_F(LoginItemServiceTest, TheAutostartFolderFollowsXdgConfigHome) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/tmp/elsewhere");
    EXPECT_EQ(LoginItemService::defaultAutostartDirectory(), "/tmp/elsewhere/autostart");
    qputenv("XDG_CONFIG_HOME", "");
    EXPECT_EQ(LoginItemService::defaultAutostartDirectory(),
              QDir::homePath() + "/.config/autostart");
    qputenv("XDG_CONFIG_HOME", saved);
    service.openLoginItemsSettings();
    EXPECT_EQ(openedURLs, QList<QUrl>{QUrl::fromLocalFile(autostart)});
}
