#include "EndToEnd/DesktopSession.h"
#include "Support/QStringPrinter.h"

#include <csignal>
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

namespace {

// Whether a name lookup here goes unanswered for a while, as it does in the
// isolated network, whose resolver is unreachable.
bool nameLookupsHang() {
    QProcess lookup;
    lookup.start(QStringLiteral("getent"),
                 {QStringLiteral("hosts"), QStringLiteral("pelmor-quit-test.invalid")});
    const bool hangs = lookup.waitForStarted() && !lookup.waitForFinished(1500);
    lookup.kill();
    lookup.waitForFinished();
    return hangs;
}

} // namespace

// Where name lookups hang, TERM still ends Pelmor within 2 s, with status 0,
// its settings written, and nothing from the pending lookups on standard error.
TEST(QuitEndToEndTest, TermEndsPelmorWithinTwoSecondsWhileNameLookupsHang) {
    if (!nameLookupsHang()) {
        GTEST_SKIP() << "Skipped: name lookups are answered here; run inside in-isolated-network.";
    }
    QTemporaryDir configHome;
    ASSERT_TRUE(DesktopSession::preparePelmorEnvironment(configHome));
    QProcess pelmor;
    pelmor.start(QStringLiteral(PELMOR_BINARY), {});
    ASSERT_TRUE(pelmor.waitForStarted(5'000));
    // Long enough for the captive-portal and update checks to wait on the resolver.
    ASSERT_FALSE(pelmor.waitForFinished(7'000)) << "pelmor ended on its own";
    pelmor.readAllStandardError();

    QElapsedTimer sinceTerm;
    sinceTerm.start();
    ::kill(static_cast<pid_t>(pelmor.processId()), SIGTERM);
    ASSERT_TRUE(pelmor.waitForFinished(15'000));
    EXPECT_LT(sinceTerm.elapsed(), 2'000);
    EXPECT_EQ(pelmor.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(pelmor.exitCode(), 0);
    EXPECT_FALSE(pelmor.readAllStandardError().contains("_q_hostLookupFinished"));
    const QSettings settings(configHome.filePath(QStringLiteral("pelmor/pelmor.conf")),
                             QSettings::IniFormat);
    EXPECT_EQ(settings.value(QStringLiteral("lastSSID")).toString(),
              QStringLiteral(PELMOR_SIMULATED_SSID));
}
