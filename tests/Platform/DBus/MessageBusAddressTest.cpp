#include "Platform/DBus/MessageBusAddress.h"

#include "Support/QStringPrinter.h"
#include "Support/ScopedEnvironmentVariable.h"
#include "Support/SilentUnixSocket.h"

#include <gtest/gtest.h>
#include <optional>

#include <QDir>
#include <QTemporaryDir>

// Each bus is where its variable says; without it, the system bus is at its
// standard socket, and the session bus at the runtime folder's "bus" where
// that is a socket, else nowhere the probe can look. A byte of the runtime
// folder's path other than [-0-9A-Za-z_/\\.*] is escaped as %xx, as libdbus
// reads it back.
TEST(MessageBusAddressTest, FindsEachBusAsLibdbusDoes) {
    const QTemporaryDir runtimeWithBus;
    const SilentUnixSocket userBus(runtimeWithBus.filePath(QStringLiteral("bus")));
    ASSERT_TRUE(userBus.isListening());
    const QTemporaryDir runtimeWithoutBus;
    ASSERT_TRUE(QDir(runtimeWithoutBus.path()).mkdir(QStringLiteral("bus")));
    const QTemporaryDir parentOfOddRuntime;
    const QString oddRuntime = parentOfOddRuntime.filePath(QStringLiteral("a b+@:"));
    ASSERT_TRUE(QDir().mkdir(oddRuntime));
    const SilentUnixSocket oddUserBus(oddRuntime + QStringLiteral("/bus"));
    ASSERT_TRUE(oddUserBus.isListening());
    struct Case {
        const char* name;
        std::optional<QByteArray> systemVariable;
        std::optional<QByteArray> sessionVariable;
        std::optional<QByteArray> runtimeFolder;
        QString system;
        QString session;
    };
    const Case cases[] = {
        {"both set", "unix:path=/tmp/system", "unix:abstract=session", std::nullopt,
         "unix:path=/tmp/system", "unix:abstract=session"},
        {"neither set, a bus in the runtime folder", std::nullopt, std::nullopt,
         runtimeWithBus.path().toLocal8Bit(), "unix:path=/run/dbus/system_bus_socket",
         "unix:path=" + userBus.path()},
        {"neither set, a folder named bus in the runtime folder", std::nullopt, std::nullopt,
         runtimeWithoutBus.path().toLocal8Bit(), "unix:path=/run/dbus/system_bus_socket", ""},
        {"neither set, a bus in a runtime folder with a space, +, @ and :", std::nullopt,
         std::nullopt, oddRuntime.toLocal8Bit(), "unix:path=/run/dbus/system_bus_socket",
         "unix:path=" + parentOfOddRuntime.path() + "/a%20b%2b%40%3a/bus"},
        {"neither set, no runtime folder", "", "", std::nullopt,
         "unix:path=/run/dbus/system_bus_socket", ""},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const ScopedEnvironmentVariable system("DBUS_SYSTEM_BUS_ADDRESS", testCase.systemVariable);
        const ScopedEnvironmentVariable session("DBUS_SESSION_BUS_ADDRESS",
                                                testCase.sessionVariable);
        const ScopedEnvironmentVariable runtime("XDG_RUNTIME_DIR", testCase.runtimeFolder);
        EXPECT_EQ(MessageBusAddress::system(), testCase.system);
        EXPECT_EQ(MessageBusAddress::session().toStdString(), testCase.session.toStdString());
    }
}
