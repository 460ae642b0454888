#include "Persistence/ObservableAppSettingsStore.h"

#include "Persistence/UserDefaultsAppSettingsStore.h"
#include "Platform/Foundation/PreferenceFile.h"
#include "Support/QStringPrinter.h"

#include <functional>
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace {

QString flag(bool value) {
    return value ? u"on"_s : u"off"_s;
}

} // namespace

// Each setting reads as the one in force: a hand edit of the file while
// Pelmor runs changes nothing until the next start, and a change made here
// reads back as the file store gives it and is written through.
TEST(ObservableAppSettingsStoreTest, ASettingReadsAsInForceUntilChangedHere) {
    using Read = std::function<QString(const AppSettingsStoring&)>;
    using Change = std::function<void(AppSettingsStoring&)>;
    const struct {
        QString key;
        QString handWritten;
        Read read;
        Change change;
        QString changed;
    } cases[] = {
        {u"monitoringEnabled"_s, u"false"_s,
         [](const AppSettingsStoring& s) { return flag(s.monitoringEnabled()); },
         [](AppSettingsStoring& s) { s.setMonitoringEnabled(false); }, u"off"_s},
        {u"batteryFriendly"_s, u"false"_s,
         [](const AppSettingsStoring& s) { return flag(s.batteryFriendly()); },
         [](AppSettingsStoring& s) { s.setBatteryFriendly(false); }, u"off"_s},
        {u"colorfulIcon"_s, u"true"_s,
         [](const AppSettingsStoring& s) { return flag(s.colorfulIcon()); },
         [](AppSettingsStoring& s) { s.setColorfulIcon(true); }, u"on"_s},
        {u"internetPingTarget"_s, u"198.51.100.7"_s,
         [](const AppSettingsStoring& s) { return s.internetPingTarget(); },
         [](AppSettingsStoring& s) { s.setInternetPingTarget(u" 203.0.113.9 "_s); },
         u"203.0.113.9"_s},
        {u"lastSSID"_s, u"Hand"_s,
         [](const AppSettingsStoring& s) { return s.lastSSID().value_or(u"none"_s); },
         [](AppSettingsStoring& s) { s.setLastSSID(u" Café "_s); }, u"Café"_s},
    };
    for (const auto& example : cases) {
        SCOPED_TRACE(example.key.toStdString());
        const QTemporaryDir folder;
        const QString path = folder.filePath(u"pelmor.conf"_s);
        const auto file = std::make_shared<PreferenceFile>(path);
        ObservableAppSettingsStore store(std::make_shared<UserDefaultsAppSettingsStore>(file));
        const QString atStart = example.read(store);
        QSettings(path, QSettings::IniFormat).setValue(example.key, example.handWritten);
        QFile(path).setFileTime(QDateTime::currentDateTime().addSecs(1),
                                QFileDevice::FileModificationTime);
        EXPECT_EQ(example.read(store), atStart) << "after the hand edit";
        example.change(store);
        EXPECT_EQ(example.read(store), example.changed);
        EXPECT_EQ(example.read(UserDefaultsAppSettingsStore(file)), example.changed);
    }
}
