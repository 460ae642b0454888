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

// A hand edit in another encoding (Latin-1, say) reads as QString::fromUtf8
// reads it: each invalid or cut-off UTF-8 sequence as U+FFFD, wherever it
// stands, at the end of a run of text cut by a quote, an escape or a comma
// too. QSettings reads the same where the sequence is not at a run's end (it
// drops one cut off there). A U+FEFF starting a run is kept, where both drop it.
TEST(IniSettingsFormatTest, InvalidUtf8ReadsAsReplacementCharacters) {
    const struct {
        QByteArray written;
        QStringList readsAs;
        bool asQSettings;
    } cases[] = {
        {"caf\xE9", {u"caf\uFFFD"_s}, false},
        {"caf\xE9 au lait", {u"caf\uFFFD au lait"_s}, true},
        {"\xC3", {u"\uFFFD"_s}, false},
        {"signal \xF0\x9F\x93", {u"signal \uFFFD\uFFFD\uFFFD"_s}, false},
        {"\"caf\xE9\" ", {u"caf\uFFFD"_s}, false},
        {"caf\xE9\\tbar", {u"caf\uFFFD\tbar"_s}, false},
        {"caf\xE9, th\xE9", {u"caf\uFFFD"_s, u"th\uFFFD"_s}, false},
        {"\xE2\x82 \xFF\xFE ok \xC3\xA9", {u"\uFFFD\uFFFD \uFFFD\uFFFD ok \u00E9"_s}, true},
        {"\xEF\xBB\xBF"
         "caf\xE9",
         {u"\uFEFFcaf\uFFFD"_s},
         false},
    };
    const QTemporaryDir folder;
    int row = 0;
    for (const auto& example : cases) {
        SCOPED_TRACE(example.written.toHex(' ').toStdString());
        const QByteArray file = "[General]\nlastSSID=" + example.written + '\n';
        const QVariant read =
            IniSettingsFormat::decoded(IniSettingsFormat::parsed(file)[u"lastSSID"_s]);
        EXPECT_EQ(read.toStringList(), example.readsAs);
        if (example.asQSettings) {
            // A file of its own: QSettings keeps what it read of a path.
            const QString path = folder.filePath(QString::number(++row) + u".conf"_s);
            writeFile(path, file);
            EXPECT_EQ(QSettings(path, QSettings::IniFormat).value(u"lastSSID"_s).toStringList(),
                      example.readsAs);
        }
    }
}
