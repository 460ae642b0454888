#include "Platform/Foundation/AtomicFile.h"

#include <gtest/gtest.h>

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

TEST(AtomicFileTest, RefusesAPathThatCannotHoldTheFile) {
    QTemporaryDir folder;
    for (const QString& path :
         {QString(), folder.path(), folder.filePath(QStringLiteral("missing/report.json"))}) {
        EXPECT_FALSE(AtomicFile::write(path, QByteArray("text"))) << path.toStdString();
    }
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
}
