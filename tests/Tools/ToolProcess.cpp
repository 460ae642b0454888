#include "ToolProcess.h"

#include <arpa/inet.h>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/if_tun.h>
#include <net/if.h>
#include <net/route.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>

namespace {

// Everything below runs in the forked child before exec: system calls only.

bool bringUp(int socket, const char* interfaceName) {
    ifreq request{};
    std::strncpy(request.ifr_name, interfaceName, IFNAMSIZ - 1);
    if (ioctl(socket, SIOCGIFFLAGS, &request) != 0) {
        return false;
    }
    request.ifr_flags = static_cast<short>(request.ifr_flags | IFF_UP);
    return ioctl(socket, SIOCSIFFLAGS, &request) == 0;
}

void setIPv4(sockaddr& target, const char* address) {
    sockaddr_in ipv4{};
    ipv4.sin_family = AF_INET;
    inet_pton(AF_INET, address, &ipv4.sin_addr);
    std::memcpy(&target, &ipv4, sizeof ipv4);
}

bool addLoopbackRoute(int socket, const char* destination, const char* mask, const char* gateway) {
    static char loopback[] = "lo";
    rtentry route{};
    setIPv4(route.rt_dst, destination);
    setIPv4(route.rt_genmask, mask);
    setIPv4(route.rt_gateway, gateway);
    route.rt_flags = RTF_UP | (std::strcmp(gateway, "0.0.0.0") != 0 ? RTF_GATEWAY : 0);
    route.rt_dev = loopback;
    return ioctl(socket, SIOCADDRT, &route) == 0;
}

// The tun descriptor stays open (and the interface alive) for the life of the tool.
bool createTunnel(int socket) {
    const int tun = open("/dev/net/tun", O_RDWR);
    if (tun < 0) {
        return false;
    }
    ifreq request{};
    std::strncpy(request.ifr_name, "tun0", IFNAMSIZ - 1);
    request.ifr_flags = IFF_TUN | IFF_NO_PI;
    return ioctl(tun, TUNSETIFF, &request) == 0 && bringUp(socket, "tun0");
}

bool isolateNetwork(bool withTunnel) {
    if (unshare(CLONE_NEWNET) != 0) {
        return false;
    }
    const int socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    return socket >= 0 && bringUp(socket, "lo") &&
           addLoopbackRoute(socket, "192.0.2.0", "255.255.255.0", "0.0.0.0") &&
           addLoopbackRoute(socket, "0.0.0.0", "0.0.0.0", "192.0.2.1") &&
           (!withTunnel || createTunnel(socket));
}

constexpr int isolationFailedExitCode = 125;

} // namespace

QString toolPath(const QString& absolutePath) {
    return QStringLiteral(PELMOR_TOOL_ROOT) + absolutePath;
}

ToolRun runProgram(const QString& program, const QStringList& arguments, Network network) {
    QProcess process;
    if (network != Network::host) {
        const bool withTunnel = network == Network::isolatedWithTunnel;
        process.setChildProcessModifier([withTunnel] {
            if (!isolateNetwork(withTunnel)) {
                _exit(isolationFailedExitCode);
            }
        });
    }
    process.start(program, arguments);
    ToolRun run;
    if (!process.waitForStarted(10000) || !process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitStatus = process.exitStatus();
    run.exitCode = process.exitCode();
    run.standardOutput = QString::fromUtf8(process.readAllStandardOutput());
    run.standardError = QString::fromUtf8(process.readAllStandardError());
    return run;
}

ToolRun runTool(const QString& absolutePath, const QStringList& arguments, Network network) {
    return runProgram(toolPath(absolutePath), arguments, network);
}

bool canIsolateNetwork() {
    const auto child = fork();
    if (child == 0) {
        _exit(unshare(CLONE_NEWNET) == 0 ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

bool canCreateTunnel() {
    return QFile::exists(QStringLiteral("/dev/net/tun"));
}

void expectUsageRefusal(const ToolRun& run) {
    EXPECT_EQ(run.exitStatus, QProcess::NormalExit);
    EXPECT_EQ(run.exitCode, 64);
    EXPECT_EQ(run.standardOutput, QString());
    EXPECT_TRUE(run.standardError.startsWith(QStringLiteral("usage: ")))
        << run.standardError.toStdString();
}
