#include "Platform/DBus/MessageBusHostLookup.h"

#include <gtest/gtest.h>
#include <netinet/in.h>

#include <QFile>
#include <QRegularExpression>

namespace {

int threadCount() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const auto match =
        QRegularExpression(QStringLiteral("Threads:\\s*(\\d+)")).match(status.readAll());
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace

// A lookup that never ends keeps its thread, so a bus probed again and again
// (the system bus is, every five seconds) waits for the lookup in flight for
// its host rather than starting one more. Needs a resolver that never
// answers: it runs inside the tests' isolated network only.
TEST(MessageBusHostLookupTest, AHangingLookupHoldsOneThreadPerHostHoweverOftenAsked) {
    if (qEnvironmentVariable("PELMOR_ISOLATED_NETWORK") != QLatin1String("1")) {
        GTEST_SKIP() << "Skipped: needs the isolated network's silent resolver.";
    }
    const int before = threadCount();
    ASSERT_GT(before, 0);
    for (const QByteArray& host :
         {QByteArray("pelmor-bus.invalid"), QByteArray("pelmor-bus.invalid"),
          QByteArray("pelmor-bus.invalid"), QByteArray("pelmor-bus.invalid"),
          QByteArray("pelmor-other-bus.invalid")}) {
        const auto result =
            MessageBusHostLookup::resolve(host, "1", AF_UNSPEC, QDeadlineTimer(100));
        EXPECT_EQ(result.outcome, MessageBusHostLookup::Outcome::late) << host.constData();
    }
    EXPECT_EQ(threadCount() - before, 2) << "one lookup in flight per host";
}
