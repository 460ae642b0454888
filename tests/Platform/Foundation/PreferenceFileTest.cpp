#include "Platform/Foundation/PreferenceFile.h"

#include <cerrno>
#include <functional>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRect>
#include <QSettings>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

QVariant storedValue(const QString& path, const QString& key) {
    return QSettings(path, QSettings::IniFormat).value(key);
}

void handEdit(const QString& path, const QString& key, const QVariant& value) {
    QSettings(path, QSettings::IniFormat).setValue(key, value);
    // The edit comes later than our read by the file's own clock too.
    QFile(path).setFileTime(QDateTime::currentDateTime().addSecs(1),
                            QFileDevice::FileModificationTime);
}

// A write step that fails, as on a full disk, the first `failures` times.
PreferenceFile::WriteSteps failingWrites(int& failures) {
    PreferenceFile::WriteSteps steps;
    steps.writeAll = [&failures](int descriptor, const QByteArray& bytes) {
        if (failures > 0) {
            --failures;
            errno = ENOSPC;
            return false;
        }
        return ::write(descriptor, bytes.constData(), bytes.size()) == bytes.size();
    };
    steps.retryDelay = std::chrono::milliseconds(20);
    return steps;
}

} // namespace

// A change whose write failed stays pending, read as set, and is written by
// the next write that succeeds: that of another change, or the retry.
TEST(PreferenceFileTest, AChangeWhoseWriteFailedIsWrittenByTheNextWrite) {
    const struct {
        const char* what;
        int failures;
        bool changeAgain;
        bool written;
    } cases[] = {
        {"with the next change", 1, true, true},
        {"by the retry", 1, false, true},
        {"while writes fail", 1000, true, false},
    };
    for (const auto& example : cases) {
        SCOPED_TRACE(example.what);
        const QTemporaryDir folder;
        const QString path = folder.filePath(u"pelmor.conf"_s);
        int failures = example.failures;
        PreferenceFile file(path, {}, failingWrites(failures));
        file.setValue(u"batteryFriendly"_s, false);
        // The write due after the change.
        QCoreApplication::sendPostedEvents();
        EXPECT_FALSE(QFile::exists(path));
        EXPECT_EQ(file.value(u"batteryFriendly"_s), false);
        if (example.changeAgain) {
            file.setValue(u"WindowFrames/radar"_s, QRect(1, 2, 3, 4));
        }
        const QDeadlineTimer deadline(500);
        while (!deadline.hasExpired() && !QFile::exists(path)) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        EXPECT_EQ(storedValue(path, u"batteryFriendly"_s).toString(),
                  example.written ? u"false"_s : QString());
        EXPECT_EQ(file.value(u"batteryFriendly"_s).toString(), u"false"_s);
        EXPECT_EQ(
            QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            example.written ? QStringList{u"pelmor.conf"_s} : QStringList{});
    }
}

// The file edited by hand between our read and our rename is read again:
// its other keys are kept, ours win for the keys changed here. A file
// edited before every rename is left for a later write.
TEST(PreferenceFileTest, AFileChangedBeforeTheRenameIsMergedAgain) {
    for (const int edits : {1, 1000}) {
        SCOPED_TRACE(edits);
        const QTemporaryDir folder;
        const QString path = folder.filePath(u"pelmor.conf"_s);
        handEdit(path, u"colorfulIcon"_s, u"false"_s);
        int editsLeft = edits;
        PreferenceFile::WriteSteps steps;
        steps.beforeRename = [&] {
            if (editsLeft-- > 0) {
                handEdit(path, u"handWritten"_s, editsLeft);
                handEdit(path, u"colorfulIcon"_s, u"theirs"_s);
            }
        };
        PreferenceFile file(path, {}, steps);
        file.setValue(u"colorfulIcon"_s, true);
        EXPECT_EQ(file.sync(), edits == 1);
        EXPECT_EQ(storedValue(path, u"colorfulIcon"_s).toString(),
                  edits == 1 ? u"true"_s : u"theirs"_s);
        EXPECT_TRUE(storedValue(path, u"handWritten"_s).isValid());
        EXPECT_EQ(file.value(u"colorfulIcon"_s).toString(), u"true"_s);
        EXPECT_TRUE(file.value(u"handWritten"_s).isValid());
    }
}

// One Pelmor at a time uses a settings folder: a new file a killed one left
// beside the file is removed at the start, and nothing else there, however
// like one its name is.
TEST(PreferenceFileTest, WritesCutShortLeaveNothingOnceTheNextHasStarted) {
    const QTemporaryDir folder;
    const QStringList kept{
        u"pelmor.conf"_s,
        u".pelmor.conf.pelmor-new-mine"_s,
        u".pelmor.conf.pelmor-new-a1B2c3.bak"_s,
        u".pelmor.conf.pelmor-new-a1-2c3"_s,
        u".PELMOR.CONF.PELMOR-NEW-a1B2c3"_s,
        u".pelmor.conf.pelmor-backup"_s,
        u".other.pelmor-new-a1B2c3"_s,
    };
    for (const QString& name : kept + QStringList{u".pelmor.conf.pelmor-new-a1B2c3"_s}) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const PreferenceFile file(folder.filePath(u"pelmor.conf"_s));
    QStringList left = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    left.sort();
    QStringList expected = kept;
    expected.sort();
    EXPECT_EQ(left, expected);
}

// Setting what the file holds already, or removing what it does not hold,
// writes nothing; a change back to what the file holds drops the pending one.
TEST(PreferenceFileTest, AValueTheFileHoldsAlreadyIsNotWrittenAgain) {
    const struct {
        const char* what;
        std::function<void(PreferenceFile&)> change;
        int writes;
    } cases[] = {
        {"the same flag", [](PreferenceFile& file) { file.setValue(u"batteryFriendly"_s, false); },
         0},
        {"the same frame",
         [](PreferenceFile& file) { file.setValue(u"WindowFrames/radar"_s, QRect(1, 2, 3, 4)); },
         0},
        {"a key not there removed", [](PreferenceFile& file) { file.remove(u"lastSSID"_s); }, 0},
        {"a change and its undoing",
         [](PreferenceFile& file) {
             file.setValue(u"batteryFriendly"_s, true);
             file.setValue(u"batteryFriendly"_s, false);
         },
         0},
        {"another flag", [](PreferenceFile& file) { file.setValue(u"batteryFriendly"_s, true); },
         1},
    };
    for (const auto& example : cases) {
        SCOPED_TRACE(example.what);
        const QTemporaryDir folder;
        const QString path = folder.filePath(u"pelmor.conf"_s);
        handEdit(path, u"batteryFriendly"_s, false);
        handEdit(path, u"WindowFrames/radar"_s, QRect(1, 2, 3, 4));
        int writes = 0;
        PreferenceFile::WriteSteps steps;
        steps.writeAll = [&writes](int descriptor, const QByteArray& bytes) {
            ++writes;
            return ::write(descriptor, bytes.constData(), bytes.size()) == bytes.size();
        };
        PreferenceFile file(path, {}, steps);
        example.change(file);
        EXPECT_TRUE(file.sync());
        EXPECT_EQ(writes, example.writes);
    }
}
