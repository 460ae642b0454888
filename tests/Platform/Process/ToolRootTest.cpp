#include "Platform/Process/ToolRoot.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>

TEST(ToolRootTest, ResolvesAbsoluteToolPathsUnderTheRoot) {
    const ToolRoot root(QStringLiteral("/opt/tools"));
    EXPECT_EQ(root.resolve(QStringLiteral("/sbin/ping")), QStringLiteral("/opt/tools/sbin/ping"));
    EXPECT_EQ(root.resolve(QStringLiteral("/usr/sbin/netstat")),
              QStringLiteral("/opt/tools/usr/sbin/netstat"));
}

TEST(ToolRootTest, EnvironmentOverridesTheInstalledRoot) {
    const QByteArray saved = qgetenv("PELMOR_TOOL_ROOT");
    qputenv("PELMOR_TOOL_ROOT", "/tmp/fake-tools");
    EXPECT_EQ(ToolRoot::locate().directory(), QStringLiteral("/tmp/fake-tools"));
    // An empty value counts as unset: the root beside the executable is used.
    qputenv("PELMOR_TOOL_ROOT", "");
    const QString installed = ToolRoot::locate().directory();
    EXPECT_TRUE(installed.endsWith(QStringLiteral("/toolroot"))) << installed.toStdString();
    EXPECT_TRUE(installed.startsWith(
        QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/.."))))
        << installed.toStdString();
    if (saved.isNull()) {
        qunsetenv("PELMOR_TOOL_ROOT");
    } else {
        qputenv("PELMOR_TOOL_ROOT", saved);
    }
}
