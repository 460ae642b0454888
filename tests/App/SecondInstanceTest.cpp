#include "Support/QStringPrinter.h"

#include <csignal>
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace {

// Offscreen, in a network namespace of its own: nothing it sends leaves the machine.
void startPelmor(QProcess& process, const QString& configHome) {
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(PELMOR_ISOLATED_NETWORK), {QStringLiteral(PELMOR_EXECUTABLE)});
    ASSERT_TRUE(process.waitForStarted(10000));
}

} // namespace

// A second start with the same settings folder ends at once with one line and
// status 0, leaving the first running; another folder, or a first instance
// that was killed, does not stand in the way.
TEST(SecondInstanceTest, ASecondStartEndsAtOnceAndLeavesTheFirstRunning) {
    QTemporaryDir configHome;
    QTemporaryDir otherConfigHome;
    QProcess first;
    startPelmor(first, configHome.path());
    ASSERT_FALSE(first.waitForFinished(1500)) << "the first instance ended on its own";

    QProcess second;
    QElapsedTimer elapsed;
    elapsed.start();
    startPelmor(second, configHome.path());
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_LT(elapsed.elapsed(), 2000);
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(second.readAllStandardError()),
              QStringLiteral("Pelmor is already running.\n"));
    EXPECT_EQ(first.state(), QProcess::Running);

    QProcess elsewhere;
    startPelmor(elsewhere, otherConfigHome.path());
    EXPECT_FALSE(elsewhere.waitForFinished(1500)) << "another settings folder was refused";

    ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
    ASSERT_TRUE(first.waitForFinished(5000));
    QProcess afterCrash;
    startPelmor(afterCrash, configHome.path());
    EXPECT_FALSE(afterCrash.waitForFinished(1500)) << "a killed instance's lock blocked the start";

    for (QProcess* process : {&elsewhere, &afterCrash}) {
        process->terminate();
        EXPECT_TRUE(process->waitForFinished(5000));
    }
}
