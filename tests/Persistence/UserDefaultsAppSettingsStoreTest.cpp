#include "Persistence/UserDefaultsAppSettingsStore.h"

#include "Persistence/AppSettingsDefaults.h"

#include <gtest/gtest.h>
#include <optional>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

// Each test gets a preference file of its own in a temporary configuration
// folder; a new store over the same file stands for the next launch.
class UserDefaultsAppSettingsStoreTest : public testing::Test {
protected:
    QString path() const { return folder.filePath(QStringLiteral("pelmor.conf")); }

    std::unique_ptr<QSettings> openSettings() const {
        return std::make_unique<QSettings>(path(), QSettings::NativeFormat);
    }

    std::unique_ptr<UserDefaultsAppSettingsStore> openStore() const {
        return std::make_unique<UserDefaultsAppSettingsStore>(openSettings());
    }

    // Writes raw values the way another program (or an older version) would.
    void storeRaw(const QString& key, const QVariant& value) const {
        QSettings settings(path(), QSettings::NativeFormat);
        settings.setValue(key, value);
    }

    QStringList storedKeys() const {
        QSettings settings(path(), QSettings::NativeFormat);
        return settings.allKeys();
    }

    QTemporaryDir folder;
};

TEST_F(UserDefaultsAppSettingsStoreTest, AFreshDomainServesTheDefaultsWithoutWritingThem) {
    {
        const auto store = openStore();
        EXPECT_TRUE(store->monitoringEnabled());
        EXPECT_TRUE(store->batteryFriendly());
        EXPECT_FALSE(store->colorfulIcon());
        EXPECT_EQ(store->internetPingTarget(), QStringLiteral("1.1.1.1"));
        EXPECT_EQ(store->internetPingTarget(), AppSettingsDefaults::internetPingTarget);
        EXPECT_EQ(store->lastSSID(), std::nullopt);
    }
    EXPECT_TRUE(storedKeys().isEmpty()) << storedKeys().join(u',').toStdString();
}

TEST_F(UserDefaultsAppSettingsStoreTest, WrittenValuesSurviveANewStoreInstance) {
    {
        const auto store = openStore();
        store->setMonitoringEnabled(false);
        store->setBatteryFriendly(false);
        store->setColorfulIcon(true);
        store->setInternetPingTarget(QStringLiteral("192.0.2.8"));
        store->setLastSSID(QStringLiteral("Office"));
    }
    ASSERT_TRUE(QFile::exists(path()));
    const auto store = openStore();
    EXPECT_FALSE(store->monitoringEnabled());
    EXPECT_FALSE(store->batteryFriendly());
    EXPECT_TRUE(store->colorfulIcon());
    EXPECT_EQ(store->internetPingTarget(), QStringLiteral("192.0.2.8"));
    EXPECT_EQ(store->lastSSID(), QStringLiteral("Office"));
}

TEST_F(UserDefaultsAppSettingsStoreTest, DefaultsNeverOverrideAStoredValue) {
    storeRaw(QStringLiteral("monitoringEnabled"), false);
    storeRaw(QStringLiteral("batteryFriendly"), false);
    // Two launches in a row: serving defaults must not have replaced anything.
    for (int launch = 0; launch < 2; ++launch) {
        const auto store = openStore();
        EXPECT_FALSE(store->monitoringEnabled());
        EXPECT_FALSE(store->batteryFriendly());
    }
    EXPECT_EQ(storedKeys().size(), 2);
}

// A hand-edited flag reads as its word says, in any letter case; a word that
// is neither yes nor no leaves the flag at its default.
TEST_F(UserDefaultsAppSettingsStoreTest, HandWrittenFlagsReadAsTheirWordsOrTheDefault) {
    struct Case {
        const char* text;
        std::optional<bool> value;
    };
    const Case cases[] = {
        {"true", true},   {"YES", true}, {" On ", true}, {"1", true},
        {"false", false}, {"No", false}, {"off", false}, {"0", false},
        {"maybe", {}},    {"", {}},      {"2", {}},      {"yes, no", {}},
    };
    for (const Case& example : cases) {
        SCOPED_TRACE(example.text);
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray("[General]\nbatteryFriendly=") + example.text +
                   "\ncolorfulIcon=" + example.text + "\n");
        file.close();
        const auto store = openStore();
        EXPECT_EQ(store->batteryFriendly(), example.value.value_or(true));
        EXPECT_EQ(store->colorfulIcon(), example.value.value_or(false));
    }
}

TEST_F(UserDefaultsAppSettingsStoreTest, FlagsWrittenBackToTheirDefaultStayStored) {
    const auto store = openStore();
    store->setColorfulIcon(true);
    store->setColorfulIcon(false);
    store->setMonitoringEnabled(false);
    store->setMonitoringEnabled(true);
    EXPECT_FALSE(store->colorfulIcon());
    EXPECT_TRUE(store->monitoringEnabled());
    EXPECT_TRUE(storedKeys().contains(QStringLiteral("colorfulIcon")));
}

TEST_F(UserDefaultsAppSettingsStoreTest, InternetTargetReadsTrimmedOrFallsBackWhenBlank) {
    const auto store = openStore();
    storeRaw(QStringLiteral("internetPingTarget"), QStringLiteral("   203.0.113.9 \n"));
    EXPECT_EQ(openStore()->internetPingTarget(), QStringLiteral("203.0.113.9"));

    storeRaw(QStringLiteral("internetPingTarget"), QStringLiteral("  \t\n "));
    EXPECT_EQ(openStore()->internetPingTarget(), AppSettingsDefaults::internetPingTarget);

    storeRaw(QStringLiteral("internetPingTarget"), QString());
    EXPECT_EQ(openStore()->internetPingTarget(), AppSettingsDefaults::internetPingTarget);

    // Any other non-blank text is returned as it is.
    store->setInternetPingTarget(QStringLiteral(" not a host! "));
    EXPECT_EQ(store->internetPingTarget(), QStringLiteral("not a host!"));
}

TEST_F(UserDefaultsAppSettingsStoreTest, LastSSIDIsStoredTrimmedAndBlankOrAbsentRemovesIt) {
    const auto store = openStore();
    store->setLastSSID(QStringLiteral("  Home Network \n"));
    EXPECT_EQ(store->lastSSID(), QStringLiteral("Home Network"));
    EXPECT_EQ(openStore()->lastSSID(), QStringLiteral("Home Network"));

    store->setLastSSID(QStringLiteral("   "));
    EXPECT_EQ(store->lastSSID(), std::nullopt);
    EXPECT_FALSE(storedKeys().contains(QStringLiteral("lastSSID")));

    store->setLastSSID(QStringLiteral("Cafe"));
    store->setLastSSID(QString());
    EXPECT_EQ(store->lastSSID(), std::nullopt);

    store->setLastSSID(QStringLiteral("Cafe"));
    store->setLastSSID(std::nullopt);
    EXPECT_EQ(store->lastSSID(), std::nullopt);
    EXPECT_TRUE(storedKeys().isEmpty());
}

TEST_F(UserDefaultsAppSettingsStoreTest, NamesTheFileFormatWouldReadOtherwiseComeBackUnchanged) {
    // Commas, a leading "@", quotes and non-ASCII letters mean something to the
    // preference file's syntax.
    const QStringList names{QStringLiteral("Café, 2nd floor"), QStringLiteral("@Invalid()"),
                            QStringLiteral("\"quoted\" ; =[x]"), QStringLiteral("true")};
    for (const QString& name : names) {
        openStore()->setLastSSID(name);
        EXPECT_EQ(openStore()->lastSSID(), name);
        openStore()->setInternetPingTarget(name);
        EXPECT_EQ(openStore()->internetPingTarget(), name);
    }
}

// The production domain: organisation and application "pelmor", native format,
// in the user's configuration folder.
TEST_F(UserDefaultsAppSettingsStoreTest, StandardDomainLivesInTheUserConfigurationFolder) {
    const QTemporaryDir configuration;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configuration.path());
    {
        UserDefaultsAppSettingsStore store;
        store.setLastSSID(QStringLiteral("Lab"));
    }
    const QString expected = configuration.filePath(QStringLiteral("pelmor/pelmor.conf"));
    QFile file(expected);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << expected.toStdString();
    EXPECT_TRUE(file.readAll().contains("lastSSID=Lab"));
}
