#include "Support/QStringPrinter.h"

#include <csignal>
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace {

// Offscreen, in a network namespace of its own: nothing it sends leaves the
// machine. Its runtime folder is the test's own.
void startPelmor(QProcess& process, const QString& configHome, const QString& runtimeFolder) {
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(PELMOR_ISOLATED_NETWORK), {QStringLiteral(PELMOR_EXECUTABLE)});
    ASSERT_TRUE(process.waitForStarted(10000));
}

} // namespace

// A second start with the same settings folder ends at once with one line and
// status 0, leaving the first running; another folder, or a first instance
// that was killed, does not stand in the way. Where the settings folder
// cannot be made (its parent is a regular file), the first start says so
// once and one instance is still held, now for every such folder.
TEST(SecondInstanceTest, ASecondStartEndsAtOnceAndLeavesTheFirstRunning) {
    for (const bool folderCanBeMade : {true, false}) {
        SCOPED_TRACE(folderCanBeMade ? "a settings folder"
                                     : "a settings folder that cannot be made");
        QTemporaryDir runtimeFolder;
        QTemporaryDir configRoot;
        const auto configHome = [&](const QString& name) {
            const QString path = configRoot.filePath(name);
            QFile file(path);
            EXPECT_TRUE(folderCanBeMade ? QDir().mkpath(path) : file.open(QIODevice::WriteOnly));
            return path;
        };
        const QString home = configHome(QStringLiteral("home"));
        const QString otherHome = configHome(QStringLiteral("other"));
        QProcess first;
        startPelmor(first, home, runtimeFolder.path());
        ASSERT_FALSE(first.waitForFinished(1500)) << "the first instance ended on its own";
        const QString firstSaid = QString::fromUtf8(first.readAllStandardError());
        EXPECT_EQ(firstSaid.count(QStringLiteral("cannot make its settings folder")),
                  folderCanBeMade ? 0 : 1)
            << firstSaid.toStdString();

        QProcess second;
        QElapsedTimer elapsed;
        elapsed.start();
        startPelmor(second, home, runtimeFolder.path());
        ASSERT_TRUE(second.waitForFinished(5000));
        EXPECT_LT(elapsed.elapsed(), 2000);
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0);
        EXPECT_EQ(QString::fromUtf8(second.readAllStandardError()),
                  QStringLiteral("Pelmor is already running.\n"));
        EXPECT_EQ(first.state(), QProcess::Running);

        QProcess elsewhere;
        startPelmor(elsewhere, otherHome, runtimeFolder.path());
        EXPECT_EQ(elsewhere.waitForFinished(1500), !folderCanBeMade)
            << "another settings folder: " << elsewhere.readAllStandardError().toStdString();

        ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
        ASSERT_TRUE(first.waitForFinished(5000));
        QProcess afterCrash;
        startPelmor(afterCrash, home, runtimeFolder.path());
        EXPECT_FALSE(afterCrash.waitForFinished(1500))
            << "a killed instance's lock blocked the start";

        for (QProcess* process : {&elsewhere, &afterCrash}) {
            if (process->state() == QProcess::Running) {
                process->terminate();
                EXPECT_TRUE(process->waitForFinished(5000));
            }
        }
    }
}
