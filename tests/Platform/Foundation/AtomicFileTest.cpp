#include "Platform/Foundation/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(AtomicFileTest, ReplacesAFileWithExactlyTheBytesAndLeavesNothingBeside) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.json"));
    ASSERT_TRUE(AtomicFile::write(path, QByteArray("first version, longer")));
    const QByteArray bytes("{\n  \"a\" : \"\xE2\x98\x95\"\n}");
    ASSERT_TRUE(AtomicFile::write(path, bytes));
    EXPECT_EQ(contentsOf(path), bytes);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
              QStringList{QStringLiteral("report.json")});
}

// What the folder holds: each name with its kind, links not followed.
QStringList entriesOf(const QString& folder) {
    QStringList entries;
    for (const QString& name : QDir(folder).entryList(QDir::AllEntries | QDir::System |
                                                      QDir::Hidden | QDir::NoDotAndDotDot)) {
        struct stat status {};
        ::lstat(QFile::encodeName(folder + u'/' + name).constData(), &status);
        entries.append(name + u':' + QString::number(status.st_mode & S_IFMT, 8));
    }
    return entries;
}

// A folder, a missing folder, and what is not a regular file, behind links
// too: nothing is written there, replaced, or left beside.
TEST(AtomicFileTest, RefusesAPathThatCannotHoldTheFileAndLeavesItAsItIs) {
    QTemporaryDir folder;
    const QByteArray base = QFile::encodeName(folder.path());
    ASSERT_EQ(::mkfifo((base + "/fifo").constData(), 0600), 0);
    ASSERT_EQ(::symlink((base + "/fifo").constData(), (base + "/to-fifo").constData()), 0);
    ASSERT_EQ(::symlink((base + "/loop").constData(), (base + "/loop").constData()), 0);
    // A device of the test's own, like /dev/null, where it may make one.
    const QByteArray device = base + "/device";
    const bool ownDevice = ::mknod(device.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    ASSERT_EQ(
        ::symlink(ownDevice ? device.constData() : "/dev/null", (base + "/to-device").constData()),
        0);
    const QStringList before = entriesOf(folder.path());
    for (const QString& path :
         {QString(), folder.path(), folder.filePath(QStringLiteral("missing/report.json")),
          folder.filePath(QStringLiteral("fifo")), folder.filePath(QStringLiteral("to-fifo")),
          folder.filePath(QStringLiteral("loop")), folder.filePath(QStringLiteral("to-device"))}) {
        EXPECT_FALSE(AtomicFile::write(path, QByteArray("text"))) << path.toStdString();
    }
    EXPECT_EQ(entriesOf(folder.path()), before);
}
