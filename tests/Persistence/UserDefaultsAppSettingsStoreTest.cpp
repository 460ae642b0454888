#include "Persistence/UserDefaultsAppSettingsStore.h"

#include "Persistence/AppSettingsDefaults.h"
#include "Platform/Foundation/PreferenceFile.h"
#include "Support/ScopedEnvironmentVariable.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <optional>
#include <stop_token>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <QCoreApplication>
#include <QFile>
#include <QRect>
#include <QSettings>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

// Each test gets a preference file of its own in a temporary configuration
// folder; a new store over the same file stands for the next launch, and sees
// the saves due before it.
class UserDefaultsAppSettingsStoreTest : public testing::Test {
protected:
    QString path() const { return folder.filePath(QStringLiteral("pelmor.conf")); }

    std::shared_ptr<PreferenceFile> openSettings() const {
        QCoreApplication::sendPostedEvents();
        return std::make_shared<PreferenceFile>(path());
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
        QCoreApplication::sendPostedEvents();
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

namespace {

// While it lives, opens the write end of the FIFO at `path` (through any
// link) each second, so that a reader blocked in opening it goes on and the
// test fails rather than hangs; says whether a reader was ever there.
class FifoReaderRelease {
public:
    explicit FifoReaderRelease(QByteArray path)
        : thread_([this, path = std::move(path)](std::stop_token stop) {
              std::mutex mutex;
              std::condition_variable_any tick;
              std::unique_lock lock(mutex);
              while (!tick.wait_for(lock, stop, std::chrono::seconds(1),
                                    [&stop] { return stop.stop_requested(); })) {
                  releaseReader(path);
              }
          }) {}

    bool releasedAReader() const { return released_; }

private:
    void releaseReader(const QByteArray& path) {
        struct stat status {};
        if (::stat(path.constData(), &status) != 0 || !S_ISFIFO(status.st_mode)) {
            return;
        }
        const int descriptor = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (descriptor >= 0) {
            released_ = true;
            ::close(descriptor);
        }
    }

    std::atomic<bool> released_ = false;
    std::jthread thread_;
};

// What is at `path` itself and behind its links: kind and file number.
std::array<std::uint64_t, 4> identity(const QByteArray& path) {
    struct stat itself {};
    struct stat behind {};
    ::lstat(path.constData(), &itself);
    ::stat(path.constData(), &behind);
    return {itself.st_mode & S_IFMT, itself.st_ino, behind.st_mode & S_IFMT, behind.st_ino};
}

// What can sit at the settings path, made at `path`; `beside` is a folder for
// what a link points to.
struct PathOccupant {
    const char* name;
    std::function<void(const QByteArray& path, const QByteArray& beside)> make;
};

void linkTo(const QByteArray& target, const QByteArray& path) {
    ASSERT_EQ(::symlink(target.constData(), path.constData()), 0);
}

void makeFifo(const QByteArray& path) {
    ASSERT_EQ(::mkfifo(path.constData(), 0600), 0);
}

// A character device like /dev/null of the test's own where it may make one,
// so that replacing it harms nothing; /dev/null itself otherwise.
QByteArray characterDevice(const QByteArray& beside) {
    const QByteArray node = beside + "/device";
    return ::mknod(node.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0 ? node : "/dev/null";
}

// Neither a regular file nor a link to one.
const std::vector<PathOccupant>& notRegularFiles() {
    static const std::vector<PathOccupant> occupants{
        {"a FIFO", [](const QByteArray& path, const QByteArray&) { makeFifo(path); }},
        {"a link to a FIFO",
         [](const QByteArray& path, const QByteArray& beside) {
             makeFifo(beside + "/fifo");
             linkTo(beside + "/fifo", path);
         }},
        {"a link to a character device",
         [](const QByteArray& path, const QByteArray& beside) {
             linkTo(characterDevice(beside), path);
         }},
        {"a link to itself", [](const QByteArray& path, const QByteArray&) { linkTo(path, path); }},
        {"a folder", [](const QByteArray& path,
                        const QByteArray&) { ASSERT_EQ(::mkdir(path.constData(), 0700), 0); }},
    };
    return occupants;
}

// A configuration folder of the test's own, the standard domain's folder in it.
class ConfigurationHome {
public:
    ConfigurationHome() { ::mkdir((home + "/pelmor").constData(), 0700); }

    const QTemporaryDir folder;
    const QByteArray home = QFile::encodeName(folder.path());
    const QByteArray path = home + "/pelmor/pelmor.conf";

private:
    const ScopedEnvironmentVariable configurationHome{"XDG_CONFIG_HOME", home};
};

void writeFile(const QByteArray& path, const QByteArray& contents) {
    QFile file(QFile::decodeName(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(contents);
}

QVariant storedValue(const QByteArray& path, const QString& key) {
    return QSettings(QFile::decodeName(path), QSettings::NativeFormat).value(key);
}

// Lets the settings objects' saves due after a change run.
void saveNow() {
    QCoreApplication::sendPostedEvents();
}

} // namespace

// The production domain: "pelmor/pelmor.conf" in the user's configuration
// folder, made on the first save, read and written through a link to a
// regular file, for the settings and the window frames alike. Anything else
// there (a FIFO, a device, a folder, a link to one, a link loop) is never
// opened and left as it is: the session runs on the defaults, keeps what is
// set in memory, and says why once, however often the preferences are asked
// for.
TEST_F(UserDefaultsAppSettingsStoreTest, StandardDomainLivesInTheUserConfigurationFolder) {
    struct Case {
        PathOccupant occupant;
        std::optional<QString> storedSSID;
        bool used;
    };
    std::vector<Case> cases{
        {{"nothing yet", [](const QByteArray&, const QByteArray&) {}}, std::nullopt, true},
        {{"a link to a regular file",
          [](const QByteArray& path, const QByteArray& beside) {
              writeFile(beside + "/target.conf", "[General]\nlastSSID=Before\n");
              linkTo(beside + "/target.conf", path);
          }},
         QStringLiteral("Before"),
         true},
    };
    for (const PathOccupant& occupant : notRegularFiles()) {
        cases.push_back({occupant, std::nullopt, false});
    }
    for (const Case& example : cases) {
        SCOPED_TRACE(example.occupant.name);
        const ConfigurationHome configuration;
        const QByteArray& path = configuration.path;
        example.occupant.make(path, configuration.home);
        const auto before = identity(path);
        const FifoReaderRelease release(path);

        testing::internal::CaptureStderr();
        {
            // The window frames share the settings' file.
            const auto frames = UserDefaultsAppSettingsStore::standardPreferenceFile();
            UserDefaultsAppSettingsStore store(frames);
            EXPECT_EQ(store.lastSSID(), example.storedSSID);
            store.setLastSSID(QStringLiteral("Lab"));
            frames->setValue(u"frame"_s, 7);
            saveNow();
            EXPECT_EQ(store.lastSSID(), QStringLiteral("Lab"));
            EXPECT_EQ(frames->value(u"frame"_s), 7);
        }
        const std::string said = testing::internal::GetCapturedStderr();

        EXPECT_FALSE(release.releasedAReader());
        if (example.used) {
            EXPECT_EQ(storedValue(path, u"lastSSID"_s), QStringLiteral("Lab"));
            EXPECT_EQ(storedValue(path, u"frame"_s), 7);
            // A link stays a link.
            EXPECT_EQ(identity(path)[0], before[0] != 0 ? before[0] : std::uint64_t(S_IFREG));
            EXPECT_EQ(said, "");
        } else {
            EXPECT_EQ(identity(path), before);
            EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
            EXPECT_NE(said.find(path.toStdString()), std::string::npos) << said;
        }
    }
}

// The path is looked at again at every read and write of the session: once
// something other than a regular file is there, it is neither opened nor
// replaced, what was set before and after stays in memory, and that is said
// once.
TEST_F(UserDefaultsAppSettingsStoreTest, APathThatStopsBeingARegularFileIsLeftAloneFromThenOn) {
    for (const PathOccupant& occupant : notRegularFiles()) {
        SCOPED_TRACE(occupant.name);
        const ConfigurationHome configuration;
        const QByteArray& path = configuration.path;
        writeFile(path, "[General]\nlastSSID=Before\n");

        testing::internal::CaptureStderr();
        std::optional<FifoReaderRelease> release;
        std::array<std::uint64_t, 4> before{};
        {
            const auto frames = UserDefaultsAppSettingsStore::standardPreferenceFile();
            UserDefaultsAppSettingsStore store(frames);
            store.setColorfulIcon(true);
            saveNow();
            EXPECT_EQ(storedValue(path, u"colorfulIcon"_s), u"true"_s);

            ASSERT_EQ(::unlink(path.constData()), 0);
            occupant.make(path, configuration.home);
            before = identity(path);
            release.emplace(path);
            store.setLastSSID(QStringLiteral("Lab"));
            frames->setValue(u"frame"_s, 7);
            saveNow();
            store.setBatteryFriendly(false);
            saveNow();
            EXPECT_EQ(store.lastSSID(), QStringLiteral("Lab"));
            EXPECT_TRUE(store.colorfulIcon());
            EXPECT_FALSE(store.batteryFriendly());
            EXPECT_EQ(frames->value(u"frame"_s), 7);
        }
        const std::string said = testing::internal::GetCapturedStderr();

        EXPECT_FALSE(release->releasedAReader());
        EXPECT_EQ(identity(path), before);
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_NE(said.find(path.toStdString()), std::string::npos) << said;
    }
}

// The settings and the window frames share the file, which may also be
// edited by hand while Pelmor runs: each save keeps what the file holds.
TEST_F(UserDefaultsAppSettingsStoreTest, EachSaveKeepsWhatTheFileHoldsNow) {
    const ConfigurationHome configuration;
    const auto frames = UserDefaultsAppSettingsStore::standardPreferenceFile();
    UserDefaultsAppSettingsStore store(frames);
    store.setLastSSID(QStringLiteral("Lab"));
    saveNow();
    frames->setValue(u"frame"_s, 7);
    saveNow();
    QSettings(QFile::decodeName(configuration.path), QSettings::NativeFormat)
        .setValue(u"handWritten"_s, u"kept"_s);
    store.setColorfulIcon(true);
    saveNow();
    for (const auto& [key, value] :
         std::initializer_list<std::pair<QString, QVariant>>{{u"lastSSID"_s, u"Lab"_s},
                                                             {u"frame"_s, 7},
                                                             {u"handWritten"_s, u"kept"_s},
                                                             {u"colorfulIcon"_s, u"true"_s}}) {
        EXPECT_EQ(storedValue(configuration.path, key).toString(), value.toString())
            << key.toStdString();
    }
}

// The settings and the window frames share one file: a toggle whose write
// failed (a read-only folder) is written with the next frame saved, and a
// quit after that keeps both.
TEST_F(UserDefaultsAppSettingsStoreTest, AToggleWhoseWriteFailedIsKeptByTheNextFrameSave) {
    bool writable = false;
    PreferenceFile::WriteSteps steps;
    steps.writeAll = [&writable](int descriptor, const QByteArray& bytes) {
        errno = writable ? 0 : EROFS;
        return writable && ::write(descriptor, bytes.constData(), bytes.size()) == bytes.size();
    };
    {
        const auto preferences = std::make_shared<PreferenceFile>(path(), nullptr, steps);
        UserDefaultsAppSettingsStore store(preferences);
        store.setBatteryFriendly(false);
        QCoreApplication::sendPostedEvents();
        EXPECT_FALSE(QFile::exists(path()));
        EXPECT_FALSE(store.batteryFriendly());

        writable = true;
        preferences->setValue(u"WindowFrames/radar"_s, QRect(10, 20, 300, 200));
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(storedKeys().size(), 2) << storedKeys().join(u',').toStdString();
    }
    EXPECT_FALSE(openStore()->batteryFriendly());
    EXPECT_EQ(openSettings()->value(u"WindowFrames/radar"_s), QRect(10, 20, 300, 200));
}
