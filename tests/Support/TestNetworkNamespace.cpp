#include "Support/TestNetworkNamespace.h"

#include "Support/NetworkNamespaceEntry.h"

#include <atomic>
#include <gtest/gtest.h>
#include <net/if.h>
#include <unistd.h>

#include <QProcess>

namespace {

struct IpResult {
    bool succeeded;
    QString errorOutput;
};

IpResult runIp(const QStringList& arguments) {
    QProcess ip;
    ip.start(QStringLiteral("ip"), arguments);
    const bool succeeded =
        ip.waitForFinished(10'000) && ip.exitStatus() == QProcess::NormalExit && ip.exitCode() == 0;
    return {succeeded, QString::fromLocal8Bit(ip.readAllStandardError()).trimmed()};
}

} // namespace

TestNetworkNamespace::TestNetworkNamespace() {
    static std::atomic<int> counter = 0;
    name_ = QStringLiteral("pelmor-test-%1-%2").arg(::getpid()).arg(++counter);
}

TestNetworkNamespace::~TestNetworkNamespace() {
    if (isCreated_) {
        runIp({QStringLiteral("netns"), QStringLiteral("del"), name_});
    }
}

QString TestNetworkNamespace::create() {
    if (::geteuid() != 0) {
        return QStringLiteral("creating a network namespace needs root");
    }
    const IpResult added = runIp({QStringLiteral("netns"), QStringLiteral("add"), name_});
    if (!added.succeeded) {
        return QStringLiteral("`ip netns add` was refused: %1").arg(added.errorOutput);
    }
    isCreated_ = true;
    const NetworkNamespaceEntry entry(name_);
    if (!entry.isEntered()) {
        return QStringLiteral("entering the namespace was refused");
    }
    if (!ip({QStringLiteral("link"), QStringLiteral("set"), QStringLiteral("lo"),
             QStringLiteral("up")})) {
        return QStringLiteral("the namespace's loopback could not be brought up");
    }
    return {};
}

bool TestNetworkNamespace::ip(const QStringList& arguments) const {
    const IpResult result = runIp(QStringList{QStringLiteral("-n"), name_} + arguments);
    if (!result.succeeded) {
        ADD_FAILURE() << "ip " << arguments.join(u' ').toStdString() << ": "
                      << result.errorOutput.toStdString();
    }
    return result.succeeded;
}

int TestNetworkNamespace::interfaceIndex(const QString& interfaceName) const {
    const NetworkNamespaceEntry entry(name_);
    return entry.isEntered()
               ? static_cast<int>(::if_nametoindex(interfaceName.toUtf8().constData()))
               : 0;
}
