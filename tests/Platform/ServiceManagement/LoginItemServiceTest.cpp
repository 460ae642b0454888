#include "Platform/ServiceManagement/LoginItemService.h"

#include "Support/QStringPrinter.h"
#include "Support/ScopedEnvironmentVariable.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// An executable file at `path`, in folders made for it.
QString madeProgram(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile program(path);
    program.open(QIODevice::WriteOnly);
    program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

void writeFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(contents);
}

// Everything under `root` but `leftOut`, one line each, links not followed
// and nothing opened but regular files.
QStringList treeAt(const QString& root, const QString& leftOut = {}) {
    QStringList tree;
    QDirIterator entries(root,
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString path = entries.next();
        struct stat status {};
        ::lstat(QFile::encodeName(path).constData(), &status);
        QFile file(path);
        const QString kind = S_ISLNK(status.st_mode)    ? "link to " + QFile::symLinkTarget(path)
                             : S_ISDIR(status.st_mode)  ? QStringLiteral("folder")
                             : !S_ISREG(status.st_mode) ? QStringLiteral("FIFO")
                             : file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll())
                                                              : QStringLiteral("unreadable");
        if (path != leftOut) {
            tree.append(path.mid(root.size()) + ": " + kind);
        }
    }
    tree.sort();
    return tree;
}

} // namespace

class LoginItemServiceTest : public testing::Test {
protected:
    QTemporaryDir configHome;
    QString autostart = configHome.filePath("autostart");
    // Its folder's name takes quotes in an Exec value.
    QString program = madeProgram(configHome.filePath("My Apps/pelmor"));
    QList<QUrl> openedURLs;
    LoginItemService service{autostart, {program}, [this](const QUrl& url) {
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
    EXPECT_TRUE(contents.contains("\nExec=\"" + program + "\"\n")) << contents.toStdString();
    // Written through a temporary file: nothing else is left in the folder.
    EXPECT_EQ(QDir(autostart).entryList(QDir::Files | QDir::Hidden), QStringList{"pelmor.desktop"});
}

// The item is enabled only while its entry would start this very program at
// login; whatever else is there reads as not registered, and registering
// puts a sound entry in its place.
TEST_F(LoginItemServiceTest, OnlyAnEntryThatWouldStartThisProgramCountsAsEnabled) {
    const QString entryPath = autostart + "/pelmor.desktop";
    const QString linkToProgram = configHome.filePath("bin/pelmor-link");
    QDir().mkpath(QFileInfo(linkToProgram).path());
    ASSERT_TRUE(QFile::link(program, linkToProgram));
    const QString otherProgram = madeProgram(configHome.filePath("other/pelmor"));
    const ScopedEnvironmentVariable path("PATH", QFile::encodeName(QFileInfo(program).path()));
    const auto entry = [](const QByteArray& lines) {
        return [lines](const QString& path) { writeFile(path, "[Desktop Entry]\n" + lines); };
    };
    const QByteArray exec = "Type=Application\nExec=\"" + program.toUtf8() + "\"";
    struct Case {
        const char* name;
        std::function<void(const QString& path)> make;
        bool enabled;
    };
    const Case cases[] = {
        {"no entry", [](const QString&) {}, false},
        {"ours, with settings of its own",
         entry(exec + " --quiet %U\nHidden=false\nX-GNOME-Autostart-enabled=true\n"), true},
        {"through a link to the program",
         entry("Type=Application\nExec=" + linkToProgram.toUtf8() + "\n"), true},
        {"by its name on PATH", entry("Type = Application\nExec = pelmor\n"), true},
        {"hidden", entry(exec + "\nHidden=true\n"), false},
        {"disabled for GNOME", entry(exec + "\nX-GNOME-Autostart-enabled=false\n"), false},
        {"a program that is gone", entry("Type=Application\nExec=/nonexistent/pelmor\n"), false},
        {"a name not on PATH", entry("Type=Application\nExec=pelmor-gone\n"), false},
        {"another program", entry("Type=Application\nExec=" + otherProgram.toUtf8() + "\n"), false},
        {"not an application", entry("Type=Link\nExec=\"" + program.toUtf8() + "\"\n"), false},
        {"in another group",
         [&](const QString& path) { writeFile(path, "[Other]\n" + exec + "\n"); }, false},
        {"an empty folder", [](const QString& path) { QDir().mkpath(path); }, false},
    };
    for (const Case& example : cases) {
        SCOPED_TRACE(example.name);
        QDir(autostart).removeRecursively();
        QDir().mkpath(autostart);
        example.make(entryPath);
        EXPECT_EQ(service.status(), example.enabled ? LoginItemService::Status::enabled
                                                    : LoginItemService::Status::notRegistered);
        service.registerItem();
        EXPECT_EQ(service.status(), LoginItemService::Status::enabled);
    }
}

// Whatever is at the entry's path, nothing but that path changes: a link is
// replaced and removed itself, never what it leads to, and anything that is
// neither a file nor a link stays as it is, with an error.
TEST_F(LoginItemServiceTest, OnlyTheEntrysOwnPathIsReplacedOrRemoved) {
    const QString entryPath = autostart + "/pelmor.desktop";
    const QString elsewhere = configHome.filePath("dotfiles");
    const auto fifo = [](const QString& path) {
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    };
    const auto link = [&](const QString& target) {
        return [target](const QString& path) { ASSERT_TRUE(QFile::link(target, path)); };
    };
    struct Case {
        const char* name;
        std::function<void(const QString& path)> make;
        bool replaced;
    };
    const Case cases[] = {
        {"a link to another application's entry",
         [&](const QString& path) {
             writeFile(elsewhere + "/notes.desktop", "[Desktop Entry]\nName=Notes\n");
             link(elsewhere + "/notes.desktop")(path);
         },
         true},
        {"a link to a FIFO elsewhere",
         [&](const QString& path) {
             fifo(elsewhere + "/fifo");
             link(elsewhere + "/fifo")(path);
         },
         true},
        {"a dangling link", link(elsewhere + "/gone.desktop"), true},
        {"a link loop", link(entryPath), true},
        {"a FIFO", fifo, false},
        {"a folder with something in it",
         [](const QString& path) {
             QDir().mkpath(path);
             writeFile(path + "/inside", "kept");
         },
         false},
    };
    for (const Case& example : cases) {
        SCOPED_TRACE(example.name);
        QDir(autostart).removeRecursively();
        QDir(elsewhere).removeRecursively();
        QDir().mkpath(elsewhere);
        QDir().mkpath(autostart);
        example.make(entryPath);
        const QStringList before = treeAt(configHome.path());
        const QStringList elsewhereBefore = treeAt(configHome.path(), entryPath);
        if (example.replaced) {
            service.registerItem();
            EXPECT_EQ(service.status(), LoginItemService::Status::enabled);
            EXPECT_FALSE(QFileInfo(entryPath).isSymLink());
            EXPECT_EQ(treeAt(configHome.path(), entryPath), elsewhereBefore);
            service.unregisterItem();
        } else {
            EXPECT_THROW(service.registerItem(), LoginItemService::Error);
            EXPECT_THROW(service.unregisterItem(), LoginItemService::Error);
        }
        EXPECT_EQ(treeAt(configHome.path()), example.replaced ? elsewhereBefore : before);
    }
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
