#include "Platform/Foundation/IniSettingsFormat.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRect>
#include <QSettings>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray fileAt(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

std::string shown(const QVariant& value) {
    return (value.typeName() ? value.typeName() : "none") + std::string(": ") +
           value.toString().toStdString() + " / " +
           QString::fromLatin1(QByteArray(value.toByteArray()).toHex()).toStdString();
}

} // namespace

// Qt's own QSettings is the reference: what it writes reads the same here, a
// file of its rewritten here keeps every value (one of a kind unknown here
// too), and what is written here reads the same in QSettings.
TEST(IniSettingsFormatTest, ReadsAndWritesWhatQSettingsDoes) {
    const struct {
        QString key;
        QVariant value;
        // What both read back; none for a kind only kept as written.
        QVariant readsAs;
    } cases[] = {
        {u"lastSSID"_s, u"Café; 2nd floor"_s, u"Café; 2nd floor"_s},
        {u"lastSSID"_s, u"one, two"_s, u"one, two"_s},
        {u"lastSSID"_s, u"a=b"_s, u"a=b"_s},
        {u"lastSSID"_s, u"\"quoted\" \\back\\slash\\"_s, u"\"quoted\" \\back\\slash\\"_s},
        {u"lastSSID"_s, u"  leading and trailing \t "_s, u"  leading and trailing \t "_s},
        {u"lastSSID"_s, u"@Invalid()"_s, u"@Invalid()"_s},
        {u"lastSSID"_s, u"@Rect(1 2 3 4)"_s, u"@Rect(1 2 3 4)"_s},
        {u"lastSSID"_s, u"@@two"_s, u"@@two"_s},
        {u"lastSSID"_s, u""_s, u""_s},
        {u"lastSSID"_s, u"ünï 中文 📶 \u00A0"_s, u"ünï 中文 📶 \u00A0"_s},
        {u"lastSSID"_s,
         u"tab\there\nnew\rline\x01\x1f"
         "1a\x7f"_s,
         u"tab\there\nnew\rline\x01\x1f"
         "1a\x7f"_s},
        {u"lastSSID"_s,
         QString::fromUtf16(u"nul\0"
                            "7",
                            5),
         QString::fromUtf16(u"nul\0"
                            "7",
                            5)},
        {u"lastSSID"_s, u"escape\\\uFEFF"_s, u"escape\\\uFEFF"_s},
        {u"lastSSID"_s, u"comma,\uFEFF"_s, u"comma,\uFEFF"_s},
        {u"batteryFriendly"_s, false, u"false"_s},
        {u"WindowFrames/radar"_s, QRect(-20, -30, 640, 480), QRect(-20, -30, 640, 480)},
        {u"WindowFrames/size"_s, QSize(3, 4), QSize(3, 4)},
        {u"WindowFrames/point"_s, QPoint(-1, 2), QPoint(-1, 2)},
        {u"General/ é,x=/y;"_s, u"key"_s, u"key"_s},
        {u"odd"_s, QByteArray("\x01 bytes"), {}},
        {u"list"_s, QStringList{u"a"_s, u"b, c"_s}, {}},
    };
    const QTemporaryDir folder;
    const QString path = folder.filePath(u"pelmor.conf"_s);
    for (const auto& example : cases) {
        SCOPED_TRACE(example.key.toStdString() + " = " + shown(example.value));
        QFile::remove(path);
        {
            QSettings written(path, QSettings::IniFormat);
            written.setValue(u"other"_s, u"kept"_s);
            written.setValue(example.key, example.value);
        }
        const QByteArray fromQt = fileAt(path);
        const IniSettingsFormat::Entries entries = IniSettingsFormat::parsed(fromQt);
        ASSERT_TRUE(entries.contains(example.key)) << fromQt.toStdString();
        if (example.readsAs.isValid()) {
            EXPECT_EQ(IniSettingsFormat::decoded(entries[example.key]), example.readsAs)
                << fromQt.toStdString();
        }

        writeFile(path, IniSettingsFormat::serialised(entries));
        EXPECT_EQ(QSettings(path, QSettings::IniFormat).value(example.key), example.value)
            << "rewritten: " << fileAt(path).toStdString();
        EXPECT_EQ(fileAt(path), fromQt);
        if (!example.readsAs.isValid()) {
            continue;
        }
        writeFile(path, IniSettingsFormat::serialised(
                            {{example.key, IniSettingsFormat::encoded(example.value)}}));
        EXPECT_EQ(QSettings(path, QSettings::IniFormat).value(example.key), example.readsAs)
            << "written: " << fileAt(path).toStdString();
    }
}

// Comment lines are skipped one after another, however many there are.
TEST(IniSettingsFormatTest, ReadsTheEntryAfterAnyNumberOfCommentLines) {
    QByteArray file = "[General]\n";
    for (int line = 0; line < 200000; ++line) {
        file += ";c\n";
    }
    file += "batteryFriendly=false\n";
    const IniSettingsFormat::Entries entries = IniSettingsFormat::parsed(file);
    EXPECT_EQ(entries, (IniSettingsFormat::Entries{{u"batteryFriendly"_s, "false"}}));
}

// A U+FEFF that starts a value comes back too, where QSettings takes it for a
// byte-order mark and drops it.
TEST(IniSettingsFormatTest, AValueStartingWithAByteOrderMarkComesBackWhole) {
    for (const QString& value : {u"\uFEFFfirst"_s, u"\uFEFF, quoted"_s, u" \uFEFF spaced "_s}) {
        SCOPED_TRACE(shown(value));
        const QByteArray file =
            IniSettingsFormat::serialised({{u"lastSSID"_s, IniSettingsFormat::encoded(value)}});
        EXPECT_EQ(IniSettingsFormat::decoded(IniSettingsFormat::parsed(file)[u"lastSSID"_s]), value)
            << file.toStdString();
    }
}
